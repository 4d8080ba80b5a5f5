#include "framework/forms/FrmFiltroPadrao.h"

#include "framework/db/OptionSetStore.h"
#include "framework/forms/ControlValues.h"
#include "framework/forms/FrmOpcoes.h"
#include "framework/services/Dialogs.h"
#include "framework/services/Dispatch.h"
#include "framework/services/Messages.h"
#include "framework/services/Session.h"
#include "framework/widgets/ModalRunner.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfrmFiltroPadrao::TfrmFiltroPadrao(QWidget* parent)
    : TModalForm(parent), panFiltro(new QWidget(this)), panBotoes(new QWidget(this)),
      lblCodTela(new QLabel(panBotoes)), msgPadrao(new TMessages(this)) {
    panFiltro->setObjectName(QStringLiteral("panFiltro"));
    panBotoes->setObjectName(QStringLiteral("panBotoes"));
    lblCodTela->setObjectName(QStringLiteral("lblCodTela"));
    msgPadrao->setObjectName(QStringLiteral("msgPadrao"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* side = new QVBoxLayout(panBotoes);
    side->setContentsMargins(2, 2, 2, 2);
    sbtConfirma = AddButton(side, QStringLiteral("sbtConfirma"), QStyle::SP_DialogApplyButton,
                            QStringLiteral("Confirmar"), &TfrmFiltroPadrao::sbtConfirmaClick);
    sbtCancel = AddButton(side, QStringLiteral("sbtCancel"), QStyle::SP_DialogCancelButton,
                          QStringLiteral("Cancelar"), &TfrmFiltroPadrao::sbtCancelClick);
    sbtLimpa = AddButton(side, QStringLiteral("sbtLimpa"), QStyle::SP_DialogResetButton,
                         QStringLiteral("Desfazer"), &TfrmFiltroPadrao::sbtLimpaClick);
    sbtHelp = AddButton(side, QStringLiteral("sbtHelp"), QStyle::SP_MessageBoxQuestion,
                        QStringLiteral("Ajuda"), &TfrmFiltroPadrao::sbtHelpClick);
    btfSaveOpc = AddButton(side, QStringLiteral("btfSaveOpc"), QStyle::SP_DialogSaveButton,
                           QStringLiteral("Salvar opções"), &TfrmFiltroPadrao::btfSaveOpcClick);
    btfLoadOpc = AddButton(side, QStringLiteral("btfLoadOpc"), QStyle::SP_DialogOpenButton,
                           QStringLiteral("Carregar opções"), &TfrmFiltroPadrao::btfLoadOpcClick);
    side->addStretch();
    side->addWidget(lblCodTela, 0, Qt::AlignHCenter);

    auto* layout = new QHBoxLayout(this);
    // Narrow margins: the filters of many screens must fit an 800x600 desktop.
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(panFiltro, 1);
    layout->addWidget(panBotoes);
    // Fixed to what the filter's controls need, whatever the derived dialog adds later.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TfrmFiltroPadrao::~TfrmFiltroPadrao() = default;

QToolButton* TfrmFiltroPadrao::AddButton(QVBoxLayout* layout, const QString& name, int icon,
                                         const QString& hint, void (TfrmFiltroPadrao::*handler)()) {
    auto* b = new QToolButton(panBotoes);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(QStyle::StandardPixmap(icon)));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    // Clicking a tool button must not run the exit of the control being edited.
    b->setFocusPolicy(Qt::NoFocus);
    connect(b, &QToolButton::clicked, this,
            [this, handler] { Dispatch([=, this] { (this->*handler)(); }); });
    layout->addWidget(b, 0, Qt::AlignHCenter);
    return b;
}

void TfrmFiltroPadrao::RunFormCreate() {
    if (m_created)
        return;
    m_created = true;
    FormCreate();
}

int TfrmFiltroPadrao::ShowModal() {
    RunFormCreate();
    return TModalForm::ShowModal();
}

void TfrmFiltroPadrao::done(int result) {
    Dispatch([this] { FormClose(); });
    TModalForm::done(result);
}

void TfrmFiltroPadrao::showEvent(QShowEvent* event) {
    TModalForm::showEvent(event);
    if (!m_centered && !parentWidget()) {
        m_centered = true; // a dialog with a parent is centred over it by Qt
        CenterOnScreen();
    }
}

void TfrmFiltroPadrao::CenterOnScreen() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect desktop = screen->availableGeometry();
    QRect frame = frameGeometry();
    frame.moveCenter(desktop.center());
    // Larger than the desktop: the top right corner stays on it, and with it
    // the side panel's first buttons (Confirmar, Cancelar).
    if (frame.right() > desktop.right())
        frame.moveRight(desktop.right());
    if (frame.top() < desktop.top())
        frame.moveTop(desktop.top());
    move(frame.topLeft());
}

QString TfrmFiltroPadrao::CodTela() const {
    return lblCodTela->text();
}

void TfrmFiltroPadrao::FormCreate() {
    m_createValues = CaptureControls(panFiltro);
}

void TfrmFiltroPadrao::sbtConfirmaClick() {
    SetModalResult(mrOk);
}

void TfrmFiltroPadrao::sbtCancelClick() {
    SetModalResult(mrCancel);
}

void TfrmFiltroPadrao::sbtLimpaClick() {
    RestoreControls(panFiltro, m_createValues);
}

void TfrmFiltroPadrao::sbtHelpClick() {
    TDialogs::Current().Information(QStringLiteral("Não há ajuda disponível para esta tela."));
}

void TfrmFiltroPadrao::btfSaveOpcClick() {
    TOptionSetStore store(CodTela(), Operador());
    TfrmOpcoes window(TfrmOpcoes::TMode::Save, store, this);
    if (TModalRunner::Exec(window) != QDialog::Accepted)
        return;
    const QString name = window.Name();
    if (store.Exists(name) &&
        !TDialogs::Current().YesNo(QStringLiteral("Substituir a opção \"%1\"?").arg(name)))
        return;
    store.Save(name, {CaptureControls(panFiltro), stlVariaveis.Lines()});
}

void TfrmFiltroPadrao::btfLoadOpcClick() {
    LoadOptionSet();
}

bool TfrmFiltroPadrao::LoadOptionSet() {
    TOptionSetStore store(CodTela(), Operador());
    if (store.Names().isEmpty()) {
        TDialogs::Current().Information(QStringLiteral("Não há opções salvas para esta tela."));
        return false;
    }
    TfrmOpcoes window(TfrmOpcoes::TMode::Load, store, this);
    if (TModalRunner::Exec(window) != QDialog::Accepted)
        return false;
    const TOptionSet set = store.Load(window.Name());
    RestoreControls(panFiltro, set.controls);
    stlVariaveis.SetLines(set.variables);
    return true;
}
