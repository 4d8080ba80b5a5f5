#pragma once

#include "rpc/RemoteModuleRegistry.h"

#include <memory>

class TSessionStore;

// The server name of the sign-in module.
QString SessionServerName();
// The one method that runs without a session.
bool IsSignInCall(const QString& server, const QString& method);

// "ORE.rdmSessao": Entrar(operator, password) -> token; Sair() ends the
// call's session.
void RegisterSessionModule(TRemoteModuleRegistry& registry, std::shared_ptr<TSessionStore> store);
