#include "ore/ore00105/EndeClieParams.h"
#include "ore/ore00105/EndeClieSql.h"

#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "core/data/RecordSet.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/services/ScreenParams.h"

namespace {

const QString kTela = QStringLiteral("ORE00105");

// The record set behind the source of parameter `i`: an open, changeable one
// with every field the screen reads and writes.
TRecordSet* RecordSetOf(const TScreenParams& p, int i, const char* name, const QString& what,
                        const QStringList& fields) {
    TDataSource* source = p.DataSource(i, name);
    auto* rs = qobject_cast<TRecordSet*>(source->DataSet());
    const QString prefix =
        QStringLiteral("O parâmetro %1 (%2) da tela %3 não é a fonte de dados %4")
            .arg(i + 1)
            .arg(QString::fromLatin1(name), kTela, what);
    if (!rs || !rs->CanModify())
        throw Exception(prefix + QStringLiteral(": ela não mostra um conjunto de dados aberto "
                                                "que se possa alterar."));
    for (const QString& field : fields)
        if (!rs->FindField(field))
            throw Exception(prefix + QStringLiteral(": falta o campo %1.").arg(field));
    return rs;
}

void CheckOrcamento(const TChaveOrca& key) {
    TADOIBQuery q({StrField(QStringLiteral("NRORCAEVENTO"), 10)});
    q.SQL = EndeClieSql::Orcamento();
    q.ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(key.filial);
    q.ParamByName(QStringLiteral("P_NRORCAEVENTO")).SetAsString(key.numero);
    q.ParamByName(QStringLiteral("P_NRSEQORCAEVE")).SetAsString(key.seq);
    q.Open();
    if (q.IsEmpty())
        throw Exception(
            QStringLiteral("O orçamento %1-%2 da filial %3 não existe: a tela %4 não pode "
                           "cadastrar o cliente dele.")
                .arg(key.numero, key.seq, key.filial, kTela));
}

} // namespace

TEndeClieParams LeParametrosEndeClie(const QVariantList& params) {
    const TScreenParams p(kTela, params, 6);
    TEndeClieParams r;
    r.chave = {p.String(0, "CDFILIAL"), p.String(1, "NRORCAEVENTO"), p.String(2, "NRSEQORCAEVE")};
    if (!p.Bool(3, "novo cliente"))
        throw Exception(QStringLiteral("A tela %1 só cadastra um cliente novo: o parâmetro 4 "
                                       "deve ser verdadeiro.")
                            .arg(kTela));
    r.endeNovoClie =
        RecordSetOf(p, 4, "dtsEndeNovoClie", QStringLiteral("do endereço do cliente novo"),
                    CamposEndeNovoClie());
    r.inteclieOrev =
        RecordSetOf(p, 5, "dtsInteclieOrev", QStringLiteral("dos contatos do cliente novo"),
                    CamposInteclieOrev());
    CheckOrcamento(r.chave);
    return r;
}
