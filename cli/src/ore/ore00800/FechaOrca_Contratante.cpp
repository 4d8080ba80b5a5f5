// The contracting client of the current budget: its group on "Dados
// Adicionais", the one edit the screen allows on a budget, and the
// contracting-clients screen.

#include "ore/ore00800/Cli_ore00800.h"

#include "framework/services/HostText.h"
#include "framework/services/ScreenLoader.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DisplayEdit.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QString Value(const TRecordSet* rs, const char* field) {
    return rs->FieldByName(QLatin1String(field)).AsString();
}

} // namespace

QGroupBox* TfrmFechaOrca::BuildContratanteGroup(QWidget* parent) {
    GroupBox7 = new QGroupBox(QStringLiteral("Contratante"), parent);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    QFont bold = GroupBox7->font();
    bold.setBold(true);
    GroupBox7->setFont(bold);
    auto* contrat = new QHBoxLayout(GroupBox7);
    dbeCliContrat = new TMaskEdit(GroupBox7);
    dbeCliContrat->setObjectName(QStringLiteral("dbeCliContrat"));
    QPalette tip = dbeCliContrat->palette();
    tip.setColor(QPalette::Base, tip.color(QPalette::ToolTipBase));
    dbeCliContrat->setPalette(tip);
    contrat->addWidget(dbeCliContrat);
    BtnPesquisa6 = new TBtnPesquisa(GroupBox7);
    BtnPesquisa6->setObjectName(QStringLiteral("BtnPesquisa6"));
    BtnPesquisa6->setToolTip(QStringLiteral("Pesquisar"));
    BtnPesquisa6->SetTitle(QStringLiteral("Cliente"));
    BtnPesquisa6->SetAssociate(dbeCliContrat);
    BtnPesquisa6->SetDataSource(queries.dtsCliente);
    BtnPesquisa6->SetEmptyError(QStringLiteral("Não há cliente cadastrado."));
    contrat->addWidget(BtnPesquisa6);
    DBEdit13 = new QLineEdit(GroupBox7);
    DBEdit13->setObjectName(QStringLiteral("DBEdit13"));
    SetDisplayOnly(DBEdit13);
    contrat->addWidget(DBEdit13, 1);
    // Kept hidden as designed; its rules still run.
    GroupBox7->hide();
    return GroupBox7;
}

void TfrmFechaOrca::sbtAlterarClick() {
    // Confirm and cancel are offered for an edit begun on this page only.
    pgcPadrao->SetActivePage(tshDadosAdic);
    pgcPadraoChange();
    TfrmPadrao::sbtAlterarClick();
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
