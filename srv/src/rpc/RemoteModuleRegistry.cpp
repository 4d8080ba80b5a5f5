#include "rpc/RemoteModuleRegistry.h"

#include "core/db/DbError.h"
#include "session/SessionLog.h"

#include <cstdio>
#include <new>

void TRemoteModuleRegistry::Register(const QString& serverName, const QString& methodName,
                                     TRemoteHandler handler) {
    m_modules[serverName][methodName] = std::move(handler);
}

bool TRemoteModuleRegistry::Has(const QString& serverName, const QString& methodName) const {
    const auto module = m_modules.constFind(serverName);
    return module != m_modules.cend() && module->contains(methodName);
}

void TRemoteModuleRegistry::MarkOperatorArgument(const QString& serverName,
                                                 const QString& methodName, int index) {
    m_operatorArguments[serverName + u'.' + methodName] = index;
}

std::optional<QString> TRemoteModuleRegistry::OtherOperator(const TCallContext& context,
                                                            const TCallRequest& request) const {
    if (context.operador.isEmpty() || m_operatorArguments.isEmpty())
        return std::nullopt;
    const auto marked = m_operatorArguments.constFind(request.server + u'.' + request.method);
    if (marked == m_operatorArguments.cend() || *marked >= request.args.size())
        return std::nullopt;
    const QVariant& arg = request.args[*marked];
    const QString named = arg.typeId() == QMetaType::QString ? arg.toString() : QString();
    if (arg.typeId() == QMetaType::QString && named == context.operador)
        return std::nullopt;
    SessionLog(QStringLiteral("chamada recusada: a sessão do operador \"%1\" pediu %2.%3 em nome "
                              "de \"%4\" (chamada de %5)")
                   .arg(context.operador, request.server, request.method, named.left(64),
                        context.peerAddress));
    return QStringLiteral("A chamada %1.%2 foi recusada: ela só pode ser feita em nome do "
                          "operador da sessão (%3).")
        .arg(request.server, request.method, context.operador);
}

TServerReply TRemoteModuleRegistry::Dispatch(TCallContext& context,
                                             const TCallRequest& request) const {
    try {
        context.server = request.server;
        context.method = request.method;
        const auto module = m_modules.constFind(request.server);
        if (module == m_modules.cend())
            return TServerReply::Failure(
                QStringLiteral("O módulo remoto \"%1\" não existe neste servidor de aplicação.")
                    .arg(request.server));
        const auto method = module->constFind(request.method);
        if (method == module->cend())
            return TServerReply::Failure(
                QStringLiteral("O método \"%1\" não existe no módulo remoto \"%2\".")
                    .arg(request.method, request.server));
        if (const auto refusal = OtherOperator(context, request))
            return TServerReply::Failure(*refusal);
        return TServerReply::Success((*method)(context, request.args));
    } catch (const EArgumentError& e) {
        return TServerReply::Failure(QStringLiteral("Chamada inválida de %1.%2. %3")
                                         .arg(request.server, request.method, e.Message()));
    } catch (const EDbError& e) {
        const QString from = context.peerAddress.isEmpty()
                                 ? QString()
                                 : QStringLiteral(" (chamada de %1)").arg(context.peerAddress);
        const QString entry = QStringLiteral("erro do banco de dados em %1.%2%3: %4")
                                  .arg(request.server, request.method, from, e.Message());
        // One write, so that entries of calls on other threads do not interleave.
        std::fprintf(stderr, "ore-server: %s\n", entry.toUtf8().constData());
        return TServerReply::Failure(
            QStringLiteral("O servidor de aplicação não conseguiu concluir %1.%2 por um erro do "
                           "banco de dados. O erro foi registrado no log do servidor.")
                .arg(request.server, request.method));
    } catch (const Exception& e) {
        return TServerReply::Failure(e.Message());
    } catch (const std::bad_alloc&) {
        return TServerReply::Failure(
            QStringLiteral("Memória insuficiente no servidor de aplicação para %1.%2.")
                .arg(request.server, request.method));
    } catch (const std::exception& e) {
        return TServerReply::Failure(
            QStringLiteral("Erro interno do servidor de aplicação em "
                           "%1.%2: %3")
                .arg(request.server, request.method, QString::fromLocal8Bit(e.what())));
    } catch (...) {
        return TServerReply::Failure(
            QStringLiteral("Erro interno desconhecido do servidor de aplicação em %1.%2.")
                .arg(request.server, request.method));
    }
}
