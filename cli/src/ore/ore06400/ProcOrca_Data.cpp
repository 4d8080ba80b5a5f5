#include "ore/ore06400/ProcOrca.h"

#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "core/data/Field.h"
#include "core/data/OleDate.h"
#include "core/data/RecordSet.h"
#include "framework/net/NetConnection.h"
#include "framework/services/CursorScope.h"
#include "framework/services/ScreenParams.h"
#include "framework/services/ServerResult.h"
#include "framework/services/Session.h"

#include <QLabel>
#include <QLineEdit>

#include <memory>
#include <vector>

namespace {

const QString kCodigo = QStringLiteral("ORE06400");

// Display formats of the numbers the screen shows, by field.
struct TFormat {
    const char* field;
    const char* format;
};
const TFormat kMoney[] = {
    {"VRTOTALOREV", "#,##0.00"},  {"TOTALIQUIDO", "#,##0.00"},   {"VRTOTAITEM", "#,##0.00"},
    {"VRTOTALMAO", "#,##0.00"},   {"VRSALAORCEVE", "#,##0.00"},  {"VRDESCORCEVE", "#,##0.00"},
    {"VRACREORCEVE", "#,##0.00"}, {"VRITEMORCEVE", "#,##0.00"},  {"VRDESCITOREV", "#,##0.00"},
    {"VRACREITOREV", "#,##0.00"}, {"VRPGFORNOREV", "#,##0.00"},  {"VRCOBRMOBRA", "#,##0.00"},
    {"VRPAGOMOBRA", "#,##0.00"},  {"QTITEMORCEVE", "#,##0.000"}, {"QTPRODMOBRA", "#,##0.000"},
    {"QTCONVORCEVE", "#,##0"},    {"QTADULORCEVE", "#,##0"},     {"QTCRIAORCEVE", "#,##0"},
    {"QTHREVENTO", "#,##0.00"},
};

void Format(TRecordSet* rs) {
    for (const TFormat& f : kMoney)
        if (TField* field = rs->FindField(QLatin1String(f.field)))
            field->SetDisplayFormat(QLatin1String(f.format));
}

} // namespace

QString SituacaoTexto(const QString& codigo) {
    static const char* const textos[] = {"Pendente",
                                         "Aprovado",
                                         "Fechado",
                                         "Executado pela Produção",
                                         "Executado por Materiais",
                                         "Executato Totalmente",
                                         "Encerrado",
                                         "Cancelado"};
    bool ok = false;
    const int n = codigo.toInt(&ok);
    if (!ok || n < 1 || n > int(std::size(textos)))
        return codigo;
    return QString::fromUtf8(textos[n - 1]);
}

TProcOrcaParams LeParametros(const QVariantList& params) {
    const TScreenParams p(kCodigo, params, 6);
    TProcOrcaParams out;
    out.situacao = p.Int(0, "IDSITUORCEVE");
    out.filial = p.String(1, "CDFILIAL");
    out.numero = p.String(2, "NRORCAEVENTO");
    out.seq = p.String(3, "NRSEQORCAEVE");
    out.operador = p.String(4, "operador");
    out.telaOrigem = p.String(5, "tela de origem");
    return out;
}

void TfrmProcOrca::Carrega() {
    QVariantList packets;
    {
        TCursorScope wait(Qt::WaitCursor);
        packets =
            CheckResultServ(netProcOrca->Call(QStringLiteral("GetOrcaProc"),
                                              {m_params.filial, m_params.numero, m_params.seq}),
                            true)
                .toList();
    }
    TRecordSet* const sets[] = {cdsOrcaEvento, cdsTotalOrca, cdsItemOrcaEven, cdsSalaoEven,
                                cdsItMaoObra};
    if (packets.size() != int(std::size(sets)))
        throw Exception(QStringLiteral("O servidor respondeu à leitura do orçamento com %1 "
                                       "conjuntos de dados em vez de 5.")
                            .arg(packets.size()));
    // Decoded first: a bad packet leaves what is shown as it was.
    for (const QVariant& packet : packets)
        if (!packet.canConvert<TDataPacket>())
            throw Exception(QStringLiteral("O servidor respondeu à leitura do orçamento com "
                                           "dados que não são um conjunto de dados."));
    {
        // The controls are told once the fields have their formats and texts.
        std::vector<std::unique_ptr<TControlsDisabled>> quiet;
        for (TRecordSet* rs : sets)
            quiet.push_back(std::make_unique<TControlsDisabled>(*rs));
        for (size_t i = 0; i < std::size(sets); ++i) {
            sets[i]->SetData(packets[int(i)].value<TDataPacket>());
            Format(sets[i]);
            sets[i]->First();
        }
        FormatFields();
    }
    ShowSituation();
    // A text longer than its box shows its beginning.
    for (QLineEdit* e : findChildren<QLineEdit*>())
        e->setCursorPosition(0);
}

void TfrmProcOrca::FormatFields() {
    if (TField* f = cdsOrcaEvento->FindField(QStringLiteral("DTEVENTO")))
        f->OnGetText = [](const TField& field, QString& text, bool) {
            const QDateTime dt = OleToDateTime(field.AsFloat());
            text = dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString();
        };
    // The booking state, stored in either case; anything else shows nothing.
    if (TField* f = cdsSalaoEven->FindField(QStringLiteral("IDSITAGENSAL")))
        f->OnGetText = [](const TField& field, QString& text, bool) {
            const QString c = field.AsString().toUpper();
            text = c == u"A"   ? QStringLiteral("Agendado")
                   : c == u"R" ? QStringLiteral("Reservado")
                               : QString();
        };
}

void TfrmProcOrca::ShowSituation() {
    const QString lida = cdsOrcaEvento->FieldByName(QStringLiteral("IDSITUORCEVE")).AsString();
    edtSituacao->setText(SituacaoTexto(lida));
    // The customer: the registered one, or the name typed for a new one.
    const QString cliente = cdsOrcaEvento->FieldByName(QStringLiteral("NMFANTCLIE")).AsString();
    const QString novo = cdsOrcaEvento->FieldByName(QStringLiteral("NMCLIEORCEVE")).AsString();
    edtCliente->setText(!cliente.isEmpty() || novo.isEmpty()
                            ? cliente
                            : novo + QStringLiteral(" (não cadastrado)"));
    const bool mudou = lida != QString::number(m_params.situacao);
    lblSituacaoAlterada->setText(
        mudou ? QStringLiteral("A situação do orçamento mudou desde que a tela %1 o mostrou: era "
                               "\"%2\", agora é \"%3\". A tela mostra o orçamento como está agora.")
                    .arg(m_params.telaOrigem, SituacaoTexto(QString::number(m_params.situacao)),
                         SituacaoTexto(lida))
              : QString());
    lblSituacaoAlterada->setVisible(mudou);
}

void TfrmProcOrca::BuildData() {
    netProcOrca = new TNetConnection(this);
    netProcOrca->setObjectName(QStringLiteral("netProcOrca"));
    netProcOrca->ServerName = QStringLiteral("ORE06400.rdmProcOrca");
    // Refusals come back as replies, judged by CheckResultServ.
    netProcOrca->ThrowException = false;
    netProcOrca->BeforeConnect = [](TNetConnection& c) {
        c.Host = WebURL();
        c.Port = WebPort();
    };
    struct TSet {
        TRecordSet* TfrmProcOrca::*set;
        TDataSource* TfrmProcOrca::*source;
        const char* name;
    };
    static const TSet sets[] = {
        {&TfrmProcOrca::cdsOrcaEvento, &TfrmProcOrca::dtsOrcaEvento, "OrcaEvento"},
        {&TfrmProcOrca::cdsTotalOrca, &TfrmProcOrca::dtsTotalOrca, "TotalOrca"},
        {&TfrmProcOrca::cdsItemOrcaEven, &TfrmProcOrca::dtsItemOrcaEven, "ItemOrcaEven"},
        {&TfrmProcOrca::cdsSalaoEven, &TfrmProcOrca::dtsSalaoEven, "SalaoEven"},
        {&TfrmProcOrca::cdsItMaoObra, &TfrmProcOrca::dtsItMaoObra, "ItMaoObra"},
    };
    for (const TSet& s : sets) {
        // No layout: the fields are the packet's.
        auto* rs = new TRecordSet({}, this);
        rs->setObjectName(QStringLiteral("cds") + QLatin1String(s.name));
        auto* source = new TDataSource(this);
        source->setObjectName(QStringLiteral("dts") + QLatin1String(s.name));
        source->SetDataSet(rs);
        source->SetReadOnly(true);
        this->*s.set = rs;
        this->*s.source = source;
    }
}
