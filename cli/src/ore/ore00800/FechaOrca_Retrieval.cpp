// Listing a branch's budgets: the filter dialog, then one server call that
// brings the budgets with all their items, totals, labour and observations.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/Exceptions.h"
#include "core/wire/WireVariant.h"
#include "framework/net/NetConnection.h"
#include "framework/services/BusyIndicator.h"
#include "framework/services/ServerResult.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/Cli_ore00801.h"
#include "ore/ore00800/services/ServerPayload.h"

namespace {

// A list criterion restricts only when "Lista" was chosen: a list left over
// from an earlier pick is not sent with "Todos".
QString ListArg(bool boTodos, const QString& list) {
    return boTodos ? QString() : list;
}

QVariant DateArg(double ole) {
    return QVariant::fromValue(TOleDateTime{ole});
}

} // namespace

void TfrmFechaOrca::sbtFiltroClick() {
    // A confirmation has stored Filtro and retrieved before the dialog goes.
    CriaFiltroFechaOrca(this);
    const int result =
        frmFiltroFechaOrca ? frmFiltroFechaOrca->ModalResult() : int(TModalForm::mrCancel);
    if (result == TModalForm::mrCancel && data.cdsOrcaEvento->IsEmpty()) {
        // Nothing to browse: back to the branch, to pick another one.
        if (medCdFilial->isEnabled())
            medCdFilial->setFocus();
        throw EAbort();
    }
}

void TfrmFechaOrca::sbtVerificarClick() {
    const TFiltro& f = Filtro;
    const QVariantList args = {
        medCdFilial->Text(),
        f.NrOrca.stDe,
        f.NrOrca.stAte,
        DateArg(f.DtEven.dtDe),
        DateArg(f.DtEven.dtAte),
        DateArg(f.DtVali.dtDe),
        DateArg(f.DtVali.dtAte),
        ListArg(f.CdVend.boTodos, f.CdVend.stVend),
        ListArg(f.CdClie.boTodos, f.CdClie.stClie),
        ListArg(f.CdServ.boTodos, f.CdServ.stTpServ),
        ListArg(f.CdEven.boTodos, f.CdEven.stTpEven),
        ListArg(f.CdProd.boTodos, f.CdProd.stProd),
        ListArg(f.CdObra.boTodos, f.CdObra.stObra),
        f.IdSitu,
        f.NmNovoClie,
        f.DsTitulo,
        f.CdGerenteSup,
    };
    {
        TBusyScope busy(window(), 6);
        const QString method = QStringLiteral("GetOrcaEvento");
        const QVariant payload = CheckResultServ(netFechaOrca->Call(method, args), true, 0);
        // Every packet is read and decoded before any is loaded: an answer
        // that lacks one, or has one that does not decode, leaves the list on
        // screen as it was.
        std::vector<TDataPacket> packets;
        for (int i = 0; i < 6; ++i)
            packets.push_back(PacketAt(payload, i, method));
        TRecordSet* const targets[] = {data.cdsOrcaEvento,   data.cdsItemOrcaEven,
                                       data.cdsTotalOrca,    data.cdsItMaoObra,
                                       data.cdsObsExtOrcaEv, data.cdsObsIntOrcaEv};
        TRecordSet::SetDataAll(targets, packets);
    }
    if (pgcPadrao->ActivePage() == tshDadosAdic)
        ShowContratante(false);
}

void TfrmFechaOrca::cdsOrcaEventoAfterOpen() {
    Habilita();
}

QString TfrmFechaOrca::BranchCode() const {
    return medCdFilial->Text();
}

TServerReply TfrmFechaOrca::GetGerenteSup(const QString& code) {
    return netFechaOrca->Call(QStringLiteral("GetGerenteSup"), {code});
}

void TfrmFechaOrca::RetrieveBudgets() {
    sbtVerificarClick();
}
