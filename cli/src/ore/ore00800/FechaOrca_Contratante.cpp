// The contracting client of the current budget: its group on "Dados
// Adicionais", the one edit the screen allows on a budget, and the
// contracting-clients screen.

#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/FechaOrca_DetailControls.h"

#include "framework/net/NetConnection.h"
#include "framework/services/BusyIndicator.h"
#include "framework/services/Dispatch.h"
#include "framework/services/FocusTracker.h"
#include "framework/services/HostText.h"
#include "framework/services/Messages.h"
#include "framework/services/ScreenLoader.h"
#include "framework/services/ServerResult.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DisplayEdit.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

namespace {

QString Value(const TDataSet* rs, const char* field) {
    return rs->FieldByName(QLatin1String(field)).AsString();
}

void Set(TRecordSet* rs, const char* field, const QString& value) {
    rs->FieldByName(QLatin1String(field)).SetAsString(value);
}

// Runs an edit's key-down and key-press handlers before the edit sees the
// key; a handler that zeroes the key, or fails, discards it. Keys that type
// no character (arrows, Delete) have no key press.
class TKeyHandlers : public QObject {
public:
    using KeyDown = std::function<void(int&, Qt::KeyboardModifiers)>;
    using KeyPress = std::function<void(QChar&)>;

    TKeyHandlers(QWidget* edit, KeyDown down, KeyPress press)
        : QObject(edit), m_down(std::move(down)), m_press(std::move(press)) {
        edit->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* e = static_cast<QKeyEvent*>(event);
        int key = e->key();
        if (!Dispatch([&] { m_down(key, e->modifiers()); }) || key == 0)
            return true;
        const QString text = e->text();
        if (text.isEmpty() || text[0] == QChar(0x7f))
            return false;
        QChar c = text[0];
        return !Dispatch([&] { m_press(c); }) || c.isNull();
    }

private:
    KeyDown m_down;
    KeyPress m_press;
};

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
    OnToolTipGround(dbeCliContrat);
    // Room for a company's number with its mask.
    dbeCliContrat->setMinimumWidth(
        dbeCliContrat->fontMetrics().horizontalAdvance(QStringLiteral("00.000.000/0000-000")));
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
    // Only the caption is bold.
    bold.setBold(false);
    for (QWidget* w : GroupBox7->findChildren<QWidget*>())
        w->setFont(bold);
    // Offered: it is where the operator sets a budget's contracting client.
    return GroupBox7;
}

void TfrmFechaOrca::sbtAlterarClick() {
    // Confirm and cancel are offered for an edit begun on this page only.
    ShowPage(tshDadosAdic);
    // The focus of the page left behind may have gone on to the number box:
    // an edit begun there would start a new number, as typing does.
    if (QApplication::focusWidget() == dbeCliContrat)
        pgcPadrao->setFocus();
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

void TfrmFechaOrca::BindContratanteEvents() {
    new TKeyHandlers(
        dbeCliContrat,
        [this](int& key, Qt::KeyboardModifiers shift) { dbeCliContratKeyDown(key, shift); },
        [this](QChar& key) { dbeCliContratKeyPress(key); });
    TFocusTracker::Instance().SetOnExit(dbeCliContrat, [this] { dbeCliContratExit(); });
    BtnPesquisa6->OnBeforePesq = [this](TBtnPesquisa&, bool& allow) {
        BtnPesquisa6BeforePesq(allow);
    };
    BtnPesquisa6->OnAfterPesq = [this](TBtnPesquisa&) { BtnPesquisa6AfterPesq(); };
    TRecordSet* orca = data.cdsOrcaEvento;
    orca->AfterPost = [this](TDataSet&) { cdsOrcaEventoAfterPost(); };
    orca->AfterCancel = [this](TDataSet&) { cdsOrcaEventoAfterCancel(); };
    orca->FieldByName(QStringLiteral("NRINSJURCONT")).OnGetText =
        RegistrationText(QStringLiteral("IDTPIJURCONT"));
    queries.qryCliente->FieldByName(QStringLiteral("NRINSJURCLIE")).OnGetText =
        RegistrationText(QStringLiteral("IDTPIJURCLIE"));
}

void TfrmFechaOrca::RemoveContratMask() {
    // A number selected whole stays selected, so that typing replaces it.
    const bool whole =
        !dbeCliContrat->text().isEmpty() && dbeCliContrat->selectedText() == dbeCliContrat->text();
    const bool attached = m_contratChangeAttached;
    m_contratChangeAttached = false;
    dbeCliContrat->SetEditMask(QString());
    m_contratChangeAttached = attached;
    if (whole)
        dbeCliContrat->selectAll();
}

void TfrmFechaOrca::dbeCliContratKeyPress(QChar& key) {
    // The operator types the bare number.
    RemoveContratMask();
    const char16_t c = key.unicode();
    const bool typesNumber = (c >= u'0' && c <= u'9') || c == 8;
    if (!typesNumber && c != 9 && c != 13 && c != 27) {
        key = QChar();
        return;
    }
    // A budget being browsed starts its edit here, so that the number shown
    // is discarded before this key lands rather than with it.
    if (typesNumber && data.cdsOrcaEvento->State() == TDataSetState::Browse)
        dbeCliContratChange();
}

void TfrmFechaOrca::dbeCliContratKeyDown(int& key, Qt::KeyboardModifiers) {
    if (key == Qt::Key_Delete)
        RemoveContratMask();
}

void TfrmFechaOrca::dbeCliContratExit() {
    Vd_CliContratante();
}

void TfrmFechaOrca::Vd_CliContratante() {
    TRecordSet* orca = data.cdsOrcaEvento;
    if (pgcPadrao->ActivePage() != tshDadosAdic || orca->State() != TDataSetState::Edit)
        return;
    if (EmptyString(dbeCliContrat->Text())) {
        RemoveContratMask();
        dbeCliContrat->clear();
        DBEdit13->clear();
        for (const char* f : {"NRINSJURCONT", "IDTPIJURCONT", "CDCLICONTORC", "NMFANTCONT"})
            Set(orca, f, QString());
        return;
    }
    TADOIBQuery& q = *queries.QryVdCliContrat;
    q.Close();
    q.ParamByName(QStringLiteral("P_NRINSJURCLIE")).SetAsString(dbeCliContrat->Text());
    q.Open();
    if (q.IsEmpty()) {
        dbeCliContrat->setFocus();
        MensErro(msgPadrao->Msg(QStringLiteral("CLIE_NAO_CAD")), true);
    }
    TakeContratante(q);
}

void TfrmFechaOrca::TakeContratante(const TDataSet& client) {
    TRecordSet* orca = data.cdsOrcaEvento;
    Set(orca, "NRINSJURCONT", Value(&client, "NRINSJURCLIE"));
    Set(orca, "IDTPIJURCONT", Value(&client, "IDTPIJURCLIE"));
    Set(orca, "CDCLICONTORC", Value(&client, "CDCLIENTE"));
    Set(orca, "NMFANTCONT", Value(&client, "NMFANTCLIE"));
    // Under the mask of another kind the number would be cut.
    RemoveContratMask();
    dbeCliContrat->SetText(Value(&client, "NRINSJURCLIE"));
    dbeCliContrat->SetEditMask(PictPess(Value(&client, "IDTPIJURCLIE")));
    DBEdit13->setText(Value(&client, "NMRAZSOCCLIE"));
}

void TfrmFechaOrca::BtnPesquisa6BeforePesq(bool&) {
    // The list is read afresh every time.
    queries.qryCliente->Close();
}

void TfrmFechaOrca::BtnPesquisa6AfterPesq() {
    TRecordSet* orca = data.cdsOrcaEvento;
    const TADOIBQuery* picked = queries.qryCliente;
    if (orca->State() == TDataSetState::Browse)
        orca->Edit();
    TakeContratante(*picked);
}

void TfrmFechaOrca::sbtConfirmarClick() {
    Vd_CliContratante();
    TfrmPadrao::sbtConfirmarClick();
}

void TfrmFechaOrca::cdsOrcaEventoAfterPost() {
    const TRecordSet* orca = data.cdsOrcaEvento;
    if (orca->ChangeCount() <= 0)
        return;
    TBusyScope busy(window(), 6);
    CheckResultServ(
        netFechaOrca->Call(QStringLiteral("SetClieContratante"),
                           {Current("CDCLICONTORC"), Current("CDFILIAL"), Current("NRORCAEVENTO")}),
        true, 0);
}

void TfrmFechaOrca::cdsOrcaEventoAfterCancel() {
    if (pgcPadrao->ActivePage() == tshDadosAdic)
        ShowContratante(true);
}

void TfrmFechaOrca::Vd_Cliente(bool) {
    TRecordSet* orca = data.cdsOrcaEvento;
    const TDataSetState state = orca->State();
    if ((state != TDataSetState::Edit && state != TDataSetState::Insert) ||
        QApplication::focusWidget() != dbeCliContrat)
        return;
    try {
        QString stIns = Value(orca, "NRINSJURCONT");
        const QString stTpCliente = Ajusta_Inscricao(stIns);
        if (EmptyString(dbeCliContrat->Text()))
            return;
        Set(orca, "NRINSJURCONT", stIns);
        TADOIBQuery& q = *queries.qryPesqClie;
        q.Close();
        // "T" matches no code, number or kind: one of the two searches is void.
        const QString none = QStringLiteral("T");
        const QString code = Value(orca, "CDCLICONTORC");
        const bool byRegistration = code.isEmpty();
        q.ParamByName(QStringLiteral("P_NRINSJURCLIE")).SetAsString(byRegistration ? stIns : none);
        q.ParamByName(QStringLiteral("P_IDTPIJURCLIE"))
            .SetAsString(byRegistration ? stTpCliente : none);
        q.ParamByName(QStringLiteral("P_CDCLIENTE")).SetAsString(byRegistration ? none : code);
        q.Open();
        if (q.IsEmpty())
            MensErro(msgPadrao->Msg(QStringLiteral("CLIE_NAO_CAD")), true);
        Set(orca, "CDCLICONTORC", Value(&q, "CDCLIENTE"));
        Set(orca, "NMFANTCONT", Value(&q, "NMFANTCLIE"));
    } catch (...) {
        pgcPadraoChange();
        // No control of the screen is bound to the number; a rule that binds
        // one gets the focus there.
        if (auto* bound = qobject_cast<QWidget*>(
                orca->FieldByName(QStringLiteral("NRINSJURCONT")).FocusControl()))
            bound->setFocus();
        throw;
    }
}
