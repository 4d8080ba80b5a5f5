#include "session/SessionGate.h"

#include "core/db/DbError.h"
#include "session/SessionLog.h"
#include "session/SessionModule.h"
#include "session/SessionStore.h"

namespace {

// The token of "Bearer <token>"; the scheme's case does not matter.
QString BearerToken(std::string_view header) {
    constexpr std::string_view scheme = "bearer ";
    if (header.size() <= scheme.size())
        return {};
    for (size_t i = 0; i < scheme.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(header[i])) != scheme[i])
            return {};
    header.remove_prefix(scheme.size());
    while (!header.empty() && header.front() == ' ')
        header.remove_prefix(1);
    while (!header.empty() && header.back() == ' ')
        header.remove_suffix(1);
    return QString::fromLatin1(header.data(), qsizetype(header.size()));
}

} // namespace

TSessionGate::TSessionGate(std::shared_ptr<TSessionStore> store) : m_store(std::move(store)) {}

QString TSessionGate::RefusalSentence() {
    return QStringLiteral("Sessão inválida ou expirada. Entre novamente.");
}

std::optional<std::pair<int, QString>> TSessionGate::Admit(TCallContext& context,
                                                           const TCallRequest& request,
                                                           std::string_view authorization) const {
    if (IsSignInCall(request.server, request.method))
        return std::nullopt;
    try {
        const auto session = m_store->Check(BearerToken(authorization));
        if (!session)
            return std::pair(401, RefusalSentence());
        context.operador = session->operador;
        context.sessionKey = session->key;
        return std::nullopt;
    } catch (const EDbError& e) {
        SessionLog(QStringLiteral("erro do banco de dados ao conferir a sessão de %1.%2 (chamada "
                                  "de %3): %4")
                       .arg(request.server, request.method, context.peerAddress, e.Message()));
        return std::pair(500, QStringLiteral("O servidor de aplicação não conseguiu conferir a "
                                             "sessão por um erro do banco de dados. O erro foi "
                                             "registrado no log do servidor."));
    }
}
