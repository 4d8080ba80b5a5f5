// The branch bar: choosing and checking the branch whose budgets are listed.

#include "ore/ore00800/Cli_ore00800.h"

#include "framework/db/AdoIbQuery.h"
#include "framework/services/Dispatch.h"
#include "framework/services/HostText.h"
#include "framework/services/Messages.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QLineEdit>

void TfrmFechaOrca::panFilialEnter() {
    // A new branch means a new list: the old one goes at once.
    pgcPadrao->SetActivePage(tshFolhaDados);
    for (TRecordSet* rs : {data.cdsOrcaEvento, data.cdsItemOrcaEven, data.cdsTotalOrca,
                           data.cdsItMaoObra, data.cdsObsExtOrcaEv, data.cdsObsIntOrcaEv})
        rs->Close();
    Habilita();
}

void TfrmFechaOrca::panFilialExit() {
    sbtFiltroClick();
}

void TfrmFechaOrca::medCdFilialChange() {
    edtNmFilial->clear();
}

void TfrmFechaOrca::medCdFilialExit() {
    Vd_CdFilial(true);
}

void TfrmFechaOrca::btnFilialAfterPesq() {
    medCdFilial->SetText(queries.qryFilial->FieldByName("CDFILIAL").AsString());
    edtNmFilial->setText(queries.qryFilial->FieldByName("NMFILIAL").AsString());
}

void TfrmFechaOrca::Vd_CdFilial(bool boTestaVazio) {
    try {
        const QString typed = medCdFilial->Text();
        if (EmptyString(typed)) {
            if (boTestaVazio)
                MensErro(msgPadrao->Msg(QStringLiteral("FILI_N_INF")), true);
            return;
        }
        medCdFilial->SetText(Ajusta(typed, 4));
        TADOIBQuery& check = *queries.qryVdFilial;
        check.Close();
        check.ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(medCdFilial->Text());
        check.Open();
        if (check.IsEmpty())
            MensErro(msgPadrao->Msg(QStringLiteral("FILI_N_CAD")), true);
        edtNmFilial->setText(check.FieldByName("NMFILIAL").AsString());
    } catch (...) {
        // The operator cannot leave the branch code with a wrong one.
        medCdFilial->setFocus();
        throw;
    }
}
