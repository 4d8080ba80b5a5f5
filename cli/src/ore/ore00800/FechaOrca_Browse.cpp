// Moving through the list: what every move refreshes, the pages and commands
// enabled for the list's state, and the contracting client shown.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/DataSource.h"
#include "framework/net/NetConnection.h"
#include "framework/services/BusyIndicator.h"
#include "framework/services/HostText.h"
#include "framework/services/ScreenLoader.h"
#include "framework/services/ServerResult.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/services/ServerPayload.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace {

QString Value(const TRecordSet* rs, const char* field) {
    return rs->FieldByName(QLatin1String(field)).AsString();
}

} // namespace

void TfrmFechaOrca::cdsOrcaEventoAfterScroll() {
    const TRecordSet* orca = data.cdsOrcaEvento;
    // Nothing listed: no budget whose details to fetch.
    if (orca->IsEmpty())
        return;
    const QVariantList key = {Value(orca, "CDFILIAL"), Value(orca, "NRORCAEVENTO"),
                              Value(orca, "NRSEQORCAEVE")};
    {
        TBusyScope busy(window(), 1);
        const QString method = QStringLiteral("GetSalaoEven");
        const QVariant payload = CheckResultServ(netFechaOrca->Call(method, key), true, 0);
        data.cdsSalaoEven->SetData(PacketOf(payload, method));
    }
    Habilita();
    ShowContratante(true);
}

void TfrmFechaOrca::pgcPadraoChange() {
    TfrmPadrao::pgcPadraoChange();
    cdsOrcaEventoAfterScroll();
    const TTabSheet* active = pgcPadrao->ActivePage();
    for (const TPageEntry& p : DetailPages())
        if (p.entry && p.entry->isCheckable() && p.page->PageControl() == pgcPadrao)
            p.entry->setChecked(p.page == active);
    pgcObservacaoChange();
}

void TfrmFechaOrca::sbtAlterarClick() {
    // Confirm and cancel are offered for an edit begun on this page only.
    pgcPadrao->SetActivePage(tshDadosAdic);
    pgcPadraoChange();
    TfrmPadrao::sbtAlterarClick();
}

void TfrmFechaOrca::pgcObservacaoChange() {
    mnuObsInt->setChecked(pgcObservacao->ActivePage() == tshObsInt);
    mnuObsExt->setChecked(pgcObservacao->ActivePage() == tshObsExt);
}

void TfrmFechaOrca::Habilita() {
    tshFormulario->setEnabled(!data.cdsOrcaEvento->IsEmpty());
    const bool on = tshFormulario->isEnabled();
    for (const TPageEntry& p : DetailPages())
        p.page->setEnabled(on);
    mnuFormulario->setEnabled(on);
    for (const TPageEntry& p : DetailPages())
        if (p.entry)
            p.entry->setEnabled(p.page->isEnabled());
    mnuObservacao->menuAction()->setEnabled(tshObservacao->isEnabled());
    SetChildEnabled(GroupBox7, Value(data.cdsOrcaEvento, "IDSITUORCEVE") == u"2");
}

void TfrmFechaOrca::dtsPadraoStateChange() {
    const TDataSetState state = dtsPadrao->State();
    const bool editing = state == TDataSetState::Edit || state == TDataSetState::Insert;
    const bool browsing = state == TDataSetState::Browse;
    const bool listed = browsing && !data.cdsOrcaEvento->IsEmpty();

    mnuCancelar->setEnabled(editing && pgcPadrao->ActivePage() == tshDadosAdic);
    mnuConfirmar->setEnabled(mnuCancelar->isEnabled());
    mnuAlterar->setEnabled(listed);
    mnuProcurar->setEnabled(listed);
    mnuVerificar->setEnabled(browsing);
    sbtCancelar->setEnabled(mnuCancelar->isEnabled());
    sbtConfirmar->setEnabled(mnuConfirmar->isEnabled());
    sbtAlterar->setEnabled(mnuAlterar->isEnabled());
    sbtProcurar->setEnabled(mnuProcurar->isEnabled());
    sbtVerificar->setEnabled(mnuVerificar->isEnabled());
    sbtFecharOrca->setEnabled(listed);
    for (QAction* a : {mnuFecharOrca, mnuProcOrca, mnuContratante})
        a->setEnabled(sbtFecharOrca->isEnabled());
    for (QToolButton* b : {sbtProcOrca, btnContratante})
        b->setEnabled(sbtFecharOrca->isEnabled());
    dbnPadrao->setEnabled(browsing);

    // Typing into the number box of a budget being browsed starts a new number.
    if (state == TDataSetState::Edit && QApplication::focusWidget() == dbeCliContrat) {
        dbeCliContrat->SetEditMask(QString());
        dbeCliContrat->clear();
        DBEdit13->clear();
    }
}

void TfrmFechaOrca::ShowContratante(bool quietly) {
    const TRecordSet* orca = data.cdsOrcaEvento;
    const bool attached = m_contratChangeAttached;
    // The number goes in without a mask and gets its own kind's mask after:
    // under the previous budget's mask a longer number would be cut. Only
    // the number itself counts as a change of the box.
    m_contratChangeAttached = false;
    dbeCliContrat->SetEditMask(QString());
    m_contratChangeAttached = !quietly;
    dbeCliContrat->SetText(Value(orca, "NRINSJURCONT"));
    m_contratChangeAttached = false;
    dbeCliContrat->SetEditMask(PictPess(Value(orca, "IDTPIJURCONT")));
    DBEdit13->setText(Value(orca, "NMFANTCONT"));
    m_contratChangeAttached = attached;
}

void TfrmFechaOrca::dbeCliContratChange() {
    if (data.cdsOrcaEvento->State() == TDataSetState::Browse)
        data.cdsOrcaEvento->Edit();
    DBEdit13->clear();
}

void TfrmFechaOrca::btnContratanteClick() {
    const TRecordSet* orca = data.cdsOrcaEvento;
    LoadBPL(QStringLiteral("ORE09000"), {Value(orca, "CDFILIAL"), Value(orca, "NRORCAEVENTO"),
                                         Value(orca, "NRSEQORCAEVE"), lblCodTela->text()});
}
