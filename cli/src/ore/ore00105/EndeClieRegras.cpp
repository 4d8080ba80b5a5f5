#include "ore/ore00105/EndeClieRegras.h"

#include "framework/services/HostText.h"
#include "framework/services/Registration.h"

#include <QStringList>

std::optional<TRecusaEndeClie> VerificaEndeClie(const TEndeClie& dados) {
    using C = TCampoEndeClie;
    if (dados.tipo != u"F" && dados.tipo != u"J")
        return TRecusaEndeClie{QStringLiteral("Informe o tipo de inscrição do cliente: pessoa "
                                              "física ou jurídica."),
                               C::Tipo};
    if (EmptyString(dados.inscricao))
        return TRecusaEndeClie{QStringLiteral("Informe o número de inscrição do cliente."),
                               C::Inscricao};
    if (!InscricaoValida(dados.tipo, dados.inscricao))
        return TRecusaEndeClie{dados.tipo == u"F"
                                   ? QStringLiteral("O número informado não é um CPF válido.")
                                   : QStringLiteral("O número informado não é um CNPJ válido."),
                               C::Inscricao};
    if (EmptyString(dados.fantasia))
        return TRecusaEndeClie{QStringLiteral("Informe o nome fantasia do cliente."), C::Fantasia};
    if (dados.TemEndereco()) {
        const std::pair<const QString*, std::pair<const char*, C>> partes[] = {
            {&dados.pais, {"o país", C::Pais}},
            {&dados.estado, {"o estado", C::Estado}},
            {&dados.municipio, {"o município", C::Municipio}},
            {&dados.endereco, {"o logradouro", C::Endereco}},
        };
        QStringList faltam;
        std::optional<C> primeiro;
        for (const auto& [valor, parte] : partes) {
            if (!EmptyString(*valor))
                continue;
            faltam << QString::fromUtf8(parte.first);
            if (!primeiro)
                primeiro = parte.second;
        }
        if (primeiro) {
            const QString lista =
                faltam.size() == 1 ? faltam.front()
                                   : faltam.mid(0, faltam.size() - 1).join(QStringLiteral(", ")) +
                                         QStringLiteral(" e ") + faltam.back();
            return TRecusaEndeClie{
                QStringLiteral("Para cadastrar o endereço principal, informe também %1.")
                    .arg(lista),
                *primeiro};
        }
    }
    for (const TContatoClie& c : dados.contatos)
        if (!c.Vazio() && EmptyString(c.nome))
            return TRecusaEndeClie{QStringLiteral("Informe o nome de cada contato."), C::Contatos};
    return std::nullopt;
}
