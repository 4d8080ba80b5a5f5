#pragma once

#include "framework/net/NetSession.h"

#include <QString>

class QWidget;

// Where the host signs in: the application server's address.
struct TSignInServer {
    QString host;
    int port = 0;
};

// The host's sign-in before any screen opens. With both an operator and a
// password (from the environment) it signs in without asking, and a refusal
// throws EServerCallError with the server's sentence; otherwise it asks in the
// sign-in dialog (operator prefilled) until the operator signs in or cancels.
// Returns the operator who signed in, empty when the dialog was cancelled.
QString SignInAtStart(const TSignInServer& server, const QString& op, const QString& password);

// Asks `op` to sign in again, showing `sentence` (the server's reason); only
// `op` may. True once a new session is in place, false when cancelled.
bool SignInAgain(const TSignInServer& server, const QString& op, const QString& sentence);

// What the host installs with TNetSession::SetRenewer: SignInAgain, run on
// the GUI thread whichever thread's call was refused.
TNetSession::TRenewer HostRenewer(const TSignInServer& server, const QString& op);
