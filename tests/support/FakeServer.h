#pragma once

#include "framework/net/CallTransport.h"
#include "tests/support/QtPrinters.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <map>
#include <vector>

// Stands in for the application server while it is installed (for its
// lifetime): records every call that a connection makes and answers from a
// script. Requests and replies go through the wire encoding both ways, so
// the arguments recorded are what the server would receive and a payload
// the wire cannot carry fails as it would in the product.
class TFakeServer : public TCallTransport {
public:
    struct TCall {
        QString server;
        QString method;
        QVariantList args;
    };
    using THandler = std::function<TServerReply(const QVariantList& args)>;

    TFakeServer();
    ~TFakeServer() override;

    TServerReply Send(const TNetConnection& connection, const TCallRequest& request) override;

    // How `method` answers from now on. A method with no answer is refused
    // with "Método <method> não previsto no teste.".
    void On(const QString& method, THandler handler);
    void Reply(const QString& method, const QVariant& payload);
    void Refuse(const QString& method, const QString& message);

    const std::vector<TCall>& Calls() const { return m_calls; }
    // The methods called, in order.
    QStringList Methods() const;
    // The calls of one method, in order.
    std::vector<TCall> CallsOf(const QString& method) const;
    void Clear() { m_calls.clear(); }

    // Runs when a call arrives, before it is answered: what happens on the
    // server meanwhile, or a look at the client while it waits.
    std::function<void(const TCall&)> OnCall;

private:
    std::vector<TCall> m_calls;
    std::map<QString, THandler> m_handlers;
};
