// The pickers that fill the list criteria from the database, how their rows
// are shown, and the manager or supervisor looked up on the server.

#include "ore/ore00800/Cli_ore00801.h"

#include "core/data/EditMask.h"
#include "core/data/RecordSet.h"
#include "framework/services/HostText.h"
#include "framework/services/Pictures.h"
#include "framework/services/ProductSearch.h"
#include "framework/services/ServerResult.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/PickList.h"
#include "ore/ore00800/services/ServerPayload.h"

#include <QLineEdit>
#include <QRadioButton>

namespace {

// A product tree code laid out by the product-code picture.
void qryProdutoCDARVPRODGetText(const TField& sender, QString& text, bool) {
    text = FormatMaskText(DBPict(0), sender.AsString());
}

} // namespace

void TfrmFiltroFechaOrca::BindLookups() {
    queries.qryCliente->FieldByName(QStringLiteral("NRINSJURCLIE")).OnGetText =
        RegistrationText(QStringLiteral("IDTPIJURCLIE"));
    queries.qryProduto->FieldByName(QStringLiteral("CDARVPROD")).OnGetText =
        qryProdutoCDARVPRODGetText;
    queries.qryProduto->BeforeOpen = [this](TDataSet&) { qryProdutoBeforeOpen(); };
    btnGerenteSup->OnBeforePesq = [this](TBtnPesquisa&, bool& allowPesq) {
        btnGerenteSupBeforePesq(allowPesq);
    };
    btnGerenteSup->OnAfterPesq = [this](TBtnPesquisa&) { btnGerenteSupAfterPesq(); };
}

void TfrmFiltroFechaOrca::sbtVendedorClick() {
    SearchRegistered(queries.qryVendedor, queries.dtsVendedor, "VEND", rbtLVendedor, "VENDEDOR",
                     QStringLiteral("CDVENDEDOR"), stVendedor);
}

void TfrmFiltroFechaOrca::sbtClienteClick() {
    SearchRegistered(queries.qryCliente, queries.dtsCliente, "CLIE", rbtLCliente, "CLIENTE",
                     QStringLiteral("CDCLIENTE"), stCliente);
}

void TfrmFiltroFechaOrca::sbtFiliDestClick() {
    SearchRegistered(queries.qryTipoServ, queries.dtsTipoServ, "TPSERV_N_CAD", rbtTTipoServ,
                     "TIPOSERV", QStringLiteral("CDTPSERVEVEN"), stTipoServ);
}

void TfrmFiltroFechaOrca::SearchRegistered(TADOIBQuery* query, TDataSource* source,
                                           const char* emptyKey, QWidget* focusWhenEmpty,
                                           const char* titleKey, const QString& keyField,
                                           QString& list) {
    // Read once per dialog: an open query is not read again.
    query->Open();
    if (query->IsEmpty())
        FailThenFocus(emptyKey, focusWhenEmpty);
    PesquisaLista(source, keyField, Msg(titleKey), false, list);
}

void TfrmFiltroFechaOrca::sbtTipoEvenClick() {
    queries.qryTipoEven->Open();
    // An empty list is the picker's to tell, with the text after the bar.
    PesquisaLista(queries.dtsTipoEven, QStringLiteral("CDTIPOEVENTO"),
                  Msg("TIPOEVEN") + u'|' + Msg("TIPOEVEN_N_CAD"), false, stTipoEven);
}

void TfrmFiltroFechaOrca::sbtProdutoClick() {
    SearchProducts(stProduto);
}

void TfrmFiltroFechaOrca::sbtMaoObraClick() {
    SearchProducts(stMaoObra);
}

void TfrmFiltroFechaOrca::SearchProducts(QString& list) {
    // Read afresh every time, for the branch the closing screen holds now.
    queries.qryProduto->Close();
    queries.qryProduto->Open();
    const QString emptyText =
        SQL_Pesquisa_Produto(Host().BranchCode(), QString(), queries.qryProduto, true);
    PesquisaLista(queries.dtsProduto, QStringLiteral("CDPRODUTO"),
                  Msg("PRODUTO") + u'|' + emptyText, false, list);
}

void TfrmFiltroFechaOrca::qryProdutoBeforeOpen() {
    // Only the parameters the current statement has: the product search
    // may have put another one in.
    TQueryParams& params = queries.qryProduto->Params();
    if (ExistParam(params, QStringLiteral("P_CDNVPRODUTO")))
        params.ParamByName(QStringLiteral("P_CDNVPRODUTO"))
            .SetAsInteger(DBPictObj(0).GetTtNiveis());
    if (ExistParam(params, QStringLiteral("P_CDFILIAL")))
        params.ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(Host().BranchCode());
}

void TfrmFiltroFechaOrca::LoadGerenteSup(TRecordSet& target, const QString& code) {
    const QString method = QStringLiteral("GetGerenteSup");
    target.SetData(PacketOf(CheckResultServ(Host().GetGerenteSup(code), true, 0), method));
}

void TfrmFiltroFechaOrca::btnGerenteSupBeforePesq(bool&) {
    // An empty code asks for every manager and supervisor.
    LoadGerenteSup(*cdsGerenteSup, QStringLiteral(""));
}

void TfrmFiltroFechaOrca::btnGerenteSupAfterPesq() {
    // The code first: writing it empties the name.
    edtCdVendedor->setText(cdsGerenteSup->FieldByName(QStringLiteral("CDVENDEDOR")).AsString());
    edtNmVendedor->setText(cdsGerenteSup->FieldByName(QStringLiteral("NMFANVEN")).AsString());
}
