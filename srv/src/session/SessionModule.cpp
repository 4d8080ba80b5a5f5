#include "session/SessionModule.h"

#include "session/SessionStore.h"
#include "session/SignIn.h"

QString SessionServerName() {
    return QStringLiteral("ORE.rdmSessao");
}

bool IsSignInCall(const QString& server, const QString& method) {
    return method == u"Entrar" && server == SessionServerName();
}

void RegisterSessionModule(TRemoteModuleRegistry& registry, std::shared_ptr<TSessionStore> store) {
    registry.Register(SessionServerName(), QStringLiteral("Entrar"),
                      [store](TCallContext& context, const QVariantList& args) -> QVariant {
                          const TArgs a = Args(args).Count(2);
                          return SignIn(*store, a.String(0, "operador"), a.String(1, "senha"),
                                        context.peerAddress);
                      });
    registry.Register(SessionServerName(), QStringLiteral("Sair"),
                      [store](TCallContext& context, const QVariantList& args) -> QVariant {
                          Args(args).Count(0);
                          if (!context.sessionKey.isEmpty())
                              store->End(context.sessionKey);
                          return {};
                      });
}
