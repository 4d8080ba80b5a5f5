// What the operator does on the contracting-client screen: picks a client,
// adds, changes and cancels contracting clients through the server.

#include "ore/ore09000/Contratante_Form.h"

#include "core/data/NumberFormat.h"
#include "core/data/RecordSet.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/services/Dialogs.h"
#include "framework/services/Dispatch.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QString Value(const TDataSet& rs, const char* field) {
    return rs.FieldByName(QLatin1String(field)).AsString();
}

} // namespace

void TfrmContratante::MostraSituacao() {
    const bool aprovado = Aprovado();
    lblSomenteLeitura->setText(
        aprovado ? QString()
                 : QStringLiteral("O orçamento não está aprovado: seus contratantes podem ser "
                                  "consultados, mas não incluídos, alterados ou cancelados."));
    lblSomenteLeitura->setVisible(!aprovado);
    grbContratante->setEnabled(aprovado);
    btnIncluir->setEnabled(aprovado);
    grdContratantesScroll();
}

QString TfrmContratante::ClienteSelecionado() const {
    if (!cdsContratantes->Active() || cdsContratantes->IsEmpty())
        return {};
    return Value(*cdsContratantes, "CDCLIENCONTORCA");
}

void TfrmContratante::grdContratantesScroll() {
    const QString cliente = ClienteSelecionado();
    const bool ativo = !cliente.isEmpty() && Value(*cdsContratantes, "IDSITUCONTOREV") == u"ATIVO";
    btnAlterar->setEnabled(Aprovado() && ativo);
    btnCancelarContrat->setEnabled(Aprovado() && ativo);
    if (cliente.isEmpty())
        return;
    // The selected client's figures go into the entry, ready to be changed.
    QryClienteCodigo->Close();
    QryClienteCodigo->ParamByName(QStringLiteral("P_CDCLIENTE")).SetAsString(cliente);
    QryClienteCodigo->Open();
    m_cliente = cliente;
    m_clienteDoNumero = Value(*QryClienteCodigo, "NRINSJURCLIE");
    edtCliente->setText(m_clienteDoNumero);
    edtNomeCliente->setText(Value(*cdsContratantes, "NMRAZSOCCLIE"));
    const TField& valor = cdsContratantes->FieldByName(QStringLiteral("VRRECECONTOREV"));
    edtValor->setText(valor.IsNull() ? QString()
                                     : FormatFloat(QStringLiteral("0.00"), valor.AsFloat()));
    const TField& conv = cdsContratantes->FieldByName(QStringLiteral("QTCONVCONTOREV"));
    edtConvidados->setText(conv.IsNull() ? QString()
                                         : FormatFloat(QStringLiteral("0"), conv.AsFloat()));
    edtEmpresa->setText(Value(*cdsContratantes, "CDEMPRESA"));
    edtEmpresaExit();
}

void TfrmContratante::TakeCliente(const TRecordSet& cliente) {
    m_cliente = Value(cliente, "CDCLIENTE");
    m_clienteDoNumero = Value(cliente, "NRINSJURCLIE");
    edtCliente->setText(m_clienteDoNumero);
    edtNomeCliente->setText(Value(cliente, "NMRAZSOCCLIE"));
}

void TfrmContratante::edtClienteExit() {
    const QString numero = edtCliente->text().trimmed();
    if (numero == m_clienteDoNumero && !m_cliente.isEmpty())
        return;
    m_cliente.clear();
    m_clienteDoNumero.clear();
    edtNomeCliente->clear();
    if (numero.isEmpty())
        return;
    QryVdCliente->Close();
    QryVdCliente->ParamByName(QStringLiteral("P_NRINSJURCLIE")).SetAsString(numero);
    QryVdCliente->Open();
    if (QryVdCliente->IsEmpty()) {
        edtCliente->setFocus();
        MensErro(QStringLiteral("Não há cliente cadastrado com a inscrição %1.").arg(numero), true);
    }
    TakeCliente(*QryVdCliente);
}

void TfrmContratante::BtnPesquisaClienteAfterPesq() {
    TakeCliente(*qryCliente);
}

void TfrmContratante::edtEmpresaExit() {
    const QString codigo = edtEmpresa->text().trimmed();
    edtNomeEmpresa->clear();
    if (codigo.isEmpty())
        return;
    qryEmpresa->Close();
    qryEmpresa->ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(m_chave.filial);
    qryEmpresa->Open();
    for (qryEmpresa->First(); !qryEmpresa->Eof(); qryEmpresa->Next())
        if (Value(*qryEmpresa, "CDEMPRESA") == codigo) {
            edtNomeEmpresa->setText(Value(*qryEmpresa, "NMRAZSOCEMP"));
            return;
        }
    // A closing refuses a company that does not bill for the budget's branch.
    edtNomeEmpresa->setText(QStringLiteral("(não fatura pela filial %1)").arg(m_chave.filial));
}

void TfrmContratante::BtnPesquisaEmpresaAfterPesq() {
    edtNomeEmpresa->setText(Value(*qryEmpresa, "NMRAZSOCEMP"));
}

QString TfrmContratante::ClienteEscolhido() {
    edtClienteExit();
    if (m_cliente.isEmpty()) {
        edtCliente->setFocus();
        MensErro(QStringLiteral("Informe o cliente contratante."), true);
    }
    return m_cliente;
}

QVariant TfrmContratante::Valor() const {
    QString texto = edtValor->text().trimmed();
    if (texto.isEmpty())
        return {};
    texto.remove(QLatin1Char('.')); // thousands
    double v = 0;
    if (!TryStrToFloat(texto, v)) {
        edtValor->setFocus();
        MensErro(QStringLiteral("O valor \"%1\" não é um número.").arg(edtValor->text()), true);
    }
    return v;
}

QVariant TfrmContratante::Convidados() const {
    const QString texto = edtConvidados->text().trimmed();
    return texto.isEmpty() ? QVariant() : QVariant(texto.toDouble());
}

void TfrmContratante::btnIncluirClick() {
    const QString cliente = ClienteEscolhido();
    Chama(QStringLiteral("IncluirContratante"),
          {cliente, Valor(), Convidados(), edtEmpresa->text().trimmed()});
    CarregaContratantes(cliente);
}

void TfrmContratante::btnAlterarClick() {
    const QString cliente = ClienteSelecionado();
    if (cliente.isEmpty())
        MensErro(QStringLiteral("Selecione na lista o contratante a alterar."), true);
    Chama(QStringLiteral("AlterarContratante"), {cliente, Valor(), Convidados()});
    CarregaContratantes(cliente);
}

void TfrmContratante::btnCancelarContratClick() {
    const QString cliente = ClienteSelecionado();
    if (cliente.isEmpty())
        MensErro(QStringLiteral("Selecione na lista o contratante a cancelar."), true);
    if (!TDialogs::Current().YesNo(QStringLiteral("Cancelar o contratante %1 - %2?")
                                       .arg(cliente, Value(*cdsContratantes, "NMRAZSOCCLIE"))))
        return;
    Chama(QStringLiteral("CancelarContratante"), {cliente});
    CarregaContratantes(cliente);
}

void TfrmContratante::btnFecharClick() {
    SetModalResult(mrOk);
}
