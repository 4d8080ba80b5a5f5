#pragma once

#include <QString>

class TSessionStore;

// The one sentence of every refused sign-in, whichever of code and password
// was wrong.
QString InvalidSignInSentence();

// Signs `code` in with `password`: returns the new session's token, or throws
// ERemoteError with InvalidSignInSentence (wrong password, unknown or inactive
// operator) or the throttle's sentence. Each failure is logged on stderr with
// the code and `peer`.
QString SignIn(TSessionStore& store, const QString& code, const QString& password,
               const QString& peer);
