#pragma once

#include "core/wire/RpcEnvelope.h"
#include "rpc/Args.h"
#include "rpc/CallContext.h"

#include <QHash>
#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

// A method of a remote module. It returns the success payload; a refusal is
// thrown (ERemoteError, or any Exception) and becomes a failure reply with
// its message.
using TRemoteHandler = std::function<QVariant(TCallContext&, const QVariantList& args)>;

// The remote modules the server offers, by server name and method. Filled
// before the server starts and read-only afterwards, so that handler threads
// share it without locks.
class TRemoteModuleRegistry {
public:
    // Registering a method twice replaces its handler.
    void Register(const QString& serverName, const QString& methodName, TRemoteHandler handler);
    bool Has(const QString& serverName, const QString& methodName) const;
    // Argument `index` of the method names the operator it acts for. A call
    // in a session whose operator differs from that argument is refused
    // before the method runs, and logged.
    void MarkOperatorArgument(const QString& serverName, const QString& methodName, int index);

    // Runs the request's handler. Unknown modules and methods,
    // bad arguments and every exception of a handler come back as failures.
    // A database error goes to the server's log (stderr) with its statement
    // and the engine's text, and the caller gets a sentence without them:
    // neither the statements nor the schema are the caller's business.
    TServerReply Dispatch(TCallContext& context, const TCallRequest& request) const;

private:
    // The refusal of a call whose operator argument is not the session's.
    std::optional<QString> OtherOperator(const TCallContext& context,
                                         const TCallRequest& request) const;

    QHash<QString, QHash<QString, TRemoteHandler>> m_modules;
    QHash<QString, int> m_operatorArguments; // by "server.method"
};
