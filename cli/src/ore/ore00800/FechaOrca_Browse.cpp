// Moving through the list: the page shown loaded for the current budget, its
// halls fetched, and the pages and commands enabled for the list's state.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/DataSource.h"
#include "framework/net/NetConnection.h"
#include "framework/services/BusyIndicator.h"
#include "framework/services/HostText.h"
#include "framework/services/ServerResult.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/services/ServerPayload.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

void TfrmFechaOrca::cdsOrcaEventoAfterScroll() {
    const TRecordSet* orca = data.cdsOrcaEvento;
    // Nothing listed: no budget whose details to fetch.
    if (orca->IsEmpty())
        return;
    const TTabSheet* shown = pgcPadrao->ActivePage();
    if (shown == tshFormulario)
        LoadFormulario();
    if (shown == tshItens)
        LoadItens();
    if (shown == tshMaoObra)
        LoadMaoObra();
    if (shown == tshObservacao)
        LoadObservacao();
    if (shown == tshFormaPgto)
        LoadFormaPgto();

    // Whatever the page: the halls. A failure stops the move's work here.
    {
        TBusyScope busy(window(), 1);
        LoadFromServer(QStringLiteral("GetSalaoEven"), CurrentKey(), data.cdsSalaoEven);
    }
    LockFormaPgto();
    OfferProcessing();
    Habilita();
    ShowContratante(true);
}

QString TfrmFechaOrca::Current(const char* field) const {
    return data.cdsOrcaEvento->FieldByName(QLatin1String(field)).AsString();
}

QVariantList TfrmFechaOrca::CurrentKey() const {
    return {Current("CDFILIAL"), Current("NRORCAEVENTO"), Current("NRSEQORCAEVE")};
}

void TfrmFechaOrca::LoadFromServer(const QString& method, const QVariantList& args,
                                   TRecordSet* into) {
    const QVariant payload = CheckResultServ(netFechaOrca->Call(method, args), true, 0);
    into->SetData(PacketOf(payload, method));
}

void TfrmFechaOrca::NarrowToCurrent(std::initializer_list<TRecordSet*> details) {
    const QString filter = QStringLiteral("NRORCAEVENTO = '") + Current("NRORCAEVENTO") +
                           QStringLiteral("' AND NRSEQORCAEVE = '") + Current("NRSEQORCAEVE") +
                           QLatin1Char('\'');
    for (TRecordSet* rs : details) {
        // Its grid is shown the budget's rows only, not all rows in between.
        TControlsDisabled quiet(*rs);
        rs->SetFiltered(false);
        rs->SetFilter(filter);
        rs->SetFiltered(true);
    }
}

void TfrmFechaOrca::OfferProcessing() {
    // Both rules must admit it: the operator's rights and the budget's state.
    const bool offered = m_rightsOfferProcessing && Current("IDSITUORCEVE") == u"3" &&
                         Current("IDORCAFILHODISTRATO") == u"N";
    sbtProcOrca->setVisible(offered);
    mnuProcOrca->setVisible(offered);
}

void TfrmFechaOrca::pgcPadraoChange() {
    TfrmPadrao::pgcPadraoChange();
    cdsOrcaEventoAfterScroll();
    const TTabSheet* active = pgcPadrao->ActivePage();
    for (const TPageEntry& p : DetailPages())
        if (p.entry && p.entry->isCheckable() && p.page->PageControl() == pgcPadrao)
            p.entry->setChecked(p.page == active);
    if (active == tshItens)
        LoadParamOrca();
    pgcObservacaoChange();
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
    SetChildEnabled(GroupBox7, Current("IDSITUORCEVE") == u"2");
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
