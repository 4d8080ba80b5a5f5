// What the contracting-client screen reads: the budget's figures and its
// clients from the application server, the lookups from the database.

#include "ore/ore09000/Contratante_Form.h"
#include "ore/ore09000/Contratante_Named.h"
#include "ore/ore09000/Contratante_Sql.h"

#include "core/data/DataSource.h"
#include "core/data/FieldDef.h"
#include "core/data/NumberFormat.h"
#include "core/data/RecordSet.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/db/NamedQuery.h"
#include "framework/net/NetConnection.h"
#include "framework/services/ServerResult.h"
#include "framework/services/Session.h"
#include "framework/widgets/DBGrid.h"

#include <QLabel>

#include <cmath>

namespace {

TFieldDefs ClienteFields() {
    return {StrField("NRINSJURCLIE", 20).Label("Inscrição"),
            StrField("CDCLIENTE", 21).Label("Código").Required().Hidden(),
            StrField("IDTPIJURCLIE", 1).Hidden(),
            StrField("NMRAZSOCCLIE", 50).Label("Razão Social"),
            StrField("NMFANTCLIE", 50).Label("Nome Fantasia")};
}

qint64 Cents(double v) {
    return std::llround(v * 100);
}

QString Money(double v) {
    return FormatFloat(QStringLiteral("#,##0.00"), v);
}

QString Count(double v) {
    return FormatFloat(QStringLiteral("#,##0"), v);
}

// A figure and its difference from the active clients' sum: red when they differ.
void ShowDiferenca(QLabel* label, bool differs, const QString& text) {
    label->setText(text);
    label->setStyleSheet(differs ? QStringLiteral("color: #b00000; font-weight: bold;")
                                 : QString());
}

} // namespace

void TfrmContratante::CreateData() {
    netContratante = new TNetConnection(this);
    netContratante->setObjectName(QStringLiteral("netContratante"));
    netContratante->ServerName = QStringLiteral("ORE09000.rdmContratante");
    netContratante->ThrowException = false;
    netContratante->BeforeConnect = [this](TNetConnection& c) { netContratanteBeforeConnect(c); };

    // Declared as the server's packets are laid out; a packet of another
    // layout is refused rather than shown wrong.
    cdsResumoOrca = new TRecordSet({StrField("IDSITUORCEVE", 1), StrField("DSTITUORCEVE", 100),
                                    FloatField("VRTOTALOREV"), FloatField("QTCONVORCEVE"),
                                    FloatField("QTCONTRATOREV")},
                                   this);
    cdsResumoOrca->setObjectName(QStringLiteral("cdsResumoOrca"));
    cdsContratantes =
        new TRecordSet({StrField("CDCLIENCONTORCA", 21).Label("Cliente").Width(16),
                        StrField("NMRAZSOCCLIE", 50).Label("Nome").Width(30),
                        StrField("IDSITUCONTOREV", 10).Label("Situação").Width(11),
                        FloatField("VRRECECONTOREV").Label("Valor").Format("#,##0.00").Width(12),
                        FloatField("QTCONVCONTOREV").Label("Convidados").Format("#,##0").Width(11),
                        StrField("CDEMPRESA", 4).Label("Empresa").Width(8)},
                       this);
    cdsContratantes->setObjectName(QStringLiteral("cdsContratantes"));
    dtsContratantes = NewDataSource(this, "dtsContratantes", cdsContratantes);
    dtsContratantes->SetReadOnly(true);

    qryCliente = NewQuery(this, "qryCliente", ClienteFields(), ContratanteSql::ClientesAtivos());
    dtsCliente = NewDataSource(this, "dtsCliente", qryCliente);
    QryVdCliente =
        NewQuery(this, "QryVdCliente", ClienteFields(), ContratanteSql::ClientePorInscricao());
    QryClienteCodigo =
        NewQuery(this, "QryClienteCodigo", ClienteFields(), ContratanteSql::ClientePorCodigo());
    qryEmpresa = NewQuery(this, "qryEmpresa",
                          {StrField("CDEMPRESA", 4).Label("Código").Required(),
                           StrField("NMRAZSOCEMP", 50).Label("Razão Social"),
                           StrField("NMFANTEMP", 50).Label("Nome Fantasia")},
                          ContratanteSql::Empresas());
    dtsEmpresa = NewDataSource(this, "dtsEmpresa", qryEmpresa);
}

void TfrmContratante::netContratanteBeforeConnect(TNetConnection& connection) {
    connection.Host = WebURL();
    connection.Port = WebPort();
}

QVariant TfrmContratante::Chama(const QString& method, QVariantList args) {
    args.prepend(m_chave.seq);
    args.prepend(m_chave.numero);
    args.prepend(m_chave.filial);
    return CheckResultServ(netContratante->Call(method, args), true, 0);
}

void TfrmContratante::Carrega() {
    CarregaResumo();
    CarregaContratantes();
}

bool TfrmContratante::Aprovado() const {
    return cdsResumoOrca->Active() &&
           cdsResumoOrca->FieldByName(QStringLiteral("IDSITUORCEVE")).AsString() == u"2";
}

void TfrmContratante::CarregaResumo() {
    cdsResumoOrca->SetData(Chama(QStringLiteral("GetResumoOrca")).value<TDataPacket>());
    const QString titulo = cdsResumoOrca->FieldByName(QStringLiteral("DSTITUORCEVE")).AsString();
    lblOrcamento->setText(QStringLiteral("Orçamento %1/%2/%3%4")
                              .arg(m_chave.filial, m_chave.numero, m_chave.seq,
                                   titulo.isEmpty() ? QString() : QStringLiteral(" - ") + titulo));
    MostraSituacao();
}

void TfrmContratante::CarregaContratantes(const QString& manterCliente) {
    cdsContratantes->SetData(Chama(QStringLiteral("GetContratantes")).value<TDataPacket>());
    // The client just changed stays the current one.
    if (!manterCliente.isEmpty())
        for (cdsContratantes->First(); !cdsContratantes->Eof(); cdsContratantes->Next())
            if (cdsContratantes->FieldByName(QStringLiteral("CDCLIENCONTORCA")).AsString() ==
                manterCliente)
                break;
    if (cdsContratantes->Eof())
        cdsContratantes->First();
    MostraTotais();
    grdContratantesScroll();
}

void TfrmContratante::MostraTotais() {
    qint64 valor = 0;
    double convidados = 0;
    int ativos = 0;
    bool semValor = false;
    // Only the active clients are what a closing checks. Summed over a copy,
    // so that the operator's current row does not move.
    TRecordSet rows;
    rows.SetData(cdsContratantes->Data());
    for (rows.First(); !rows.Eof(); rows.Next()) {
        if (rows.FieldByName(QStringLiteral("IDSITUCONTOREV")).AsString() != u"ATIVO")
            continue;
        ++ativos;
        const TField& v = rows.FieldByName(QStringLiteral("VRRECECONTOREV"));
        semValor = semValor || v.IsNull();
        valor += Cents(v.AsFloat());
        convidados += rows.FieldByName(QStringLiteral("QTCONVCONTOREV")).AsFloat();
    }

    const TField& total = cdsResumoOrca->FieldByName(QStringLiteral("VRTOTALOREV"));
    const qint64 totalCents = Cents(total.AsFloat());
    lblVrTotalOrca->setText(Money(total.AsFloat()));
    lblVrSomaAtivos->setText(Money(valor / 100.0));
    ShowDiferenca(lblVrDiferenca, totalCents != valor, Money((totalCents - valor) / 100.0));

    const TField& conv = cdsResumoOrca->FieldByName(QStringLiteral("QTCONVORCEVE"));
    lblQtConvAtivos->setText(Count(convidados));
    if (conv.IsNull()) {
        lblQtConvOrca->setText(QStringLiteral("não informado"));
        ShowDiferenca(lblQtConvDiferenca, false, QStringLiteral("-"));
    } else {
        lblQtConvOrca->setText(Count(conv.AsFloat()));
        ShowDiferenca(lblQtConvDiferenca, conv.AsFloat() != convidados,
                      Count(conv.AsFloat() - convidados));
    }

    const TField& qt = cdsResumoOrca->FieldByName(QStringLiteral("QTCONTRATOREV"));
    lblQtContratAtivos->setText(QString::number(ativos));
    // No expected number: any number of clients will do.
    if (qt.IsNull() || qt.AsFloat() <= 0) {
        lblQtContratOrca->setText(QStringLiteral("não informado"));
        ShowDiferenca(lblQtContratDiferenca, false, QStringLiteral("-"));
    } else {
        lblQtContratOrca->setText(Count(qt.AsFloat()));
        ShowDiferenca(lblQtContratDiferenca, qt.AsFloat() != ativos, Count(qt.AsFloat() - ativos));
    }
    lblAvisoTotais->setText(semValor ? QStringLiteral("Há contratante ativo sem valor informado.")
                                     : QString());
    lblAvisoTotais->setVisible(semValor);
}
