#include "framework/forms/FrmPadrao.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "framework/services/Dialogs.h"
#include "framework/services/Dispatch.h"
#include "framework/services/Messages.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/DataSetActions.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "framework/widgets/ToolIcons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <variant>

namespace {

// A picture of the widget style's, or one of ours where the style has none that fits.
using TPicture = std::variant<QStyle::StandardPixmap, TToolIcon>;

QToolButton* NewToolButton(QWidget* parent, const QString& name, const QString& hint,
                           TPicture picture) {
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setIcon(std::holds_alternative<TToolIcon>(picture)
                   ? ToolIcon(std::get<TToolIcon>(picture))
                   : parent->style()->standardIcon(std::get<QStyle::StandardPixmap>(picture)));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus); // clicking must not run the exit of the control being edited
    return b;
}

TDataSet& RequireDataSet(TDataSource* source) {
    if (TDataSet* ds = source ? source->DataSet() : nullptr)
        return *ds;
    throw EAbort();
}

} // namespace

TfrmPadrao::TfrmPadrao(QWidget* parent) : QWidget(parent) {
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(2);
    dtsPadrao = new TDataSource(this);
    dtsPadrao->setObjectName(QStringLiteral("dtsPadrao"));
    msgPadrao = new TMessages(this);
    msgPadrao->setObjectName(QStringLiteral("msgPadrao"));
    BuildMenu();
    BuildToolBar();
    BuildPages();
}

TfrmPadrao::~TfrmPadrao() = default;

void TfrmPadrao::OnClick(QToolButton* button, std::function<void()> handler) {
    connect(button, &QToolButton::clicked, this,
            [handler = std::move(handler)] { Dispatch(handler); });
}

QAction* TfrmPadrao::AddMenuAction(QMenu* menu, const QString& name, const QString& caption,
                                   const QKeySequence& shortcut, std::function<void()> handler) {
    auto* a = menu->addAction(caption);
    a->setObjectName(name);
    a->setShortcut(shortcut);
    a->setShortcutContext(Qt::WidgetWithChildrenShortcut); // only while this screen is active
    addAction(a);
    if (handler)
        connect(a, &QAction::triggered, this,
                [handler = std::move(handler)] { Dispatch(handler); });
    return a;
}

void TfrmPadrao::BuildMenu() {
    mnuMenu = new QMenuBar(this);
    mnuMenu->setObjectName(QStringLiteral("mnuMenu"));
    mnuMenu->setNativeMenuBar(false);
    m_layout->addWidget(mnuMenu);

    mnuOperacao = mnuMenu->addMenu(QStringLiteral("&Operação"));
    mnuOperacao->setObjectName(QStringLiteral("mnuOperacao"));
    mnuFolhaDados =
        AddMenuAction(mnuOperacao, QStringLiteral("mnuFolhaDados"),
                      QStringLiteral("&Folha de Dados"), {}, [this] { ShowPage(tshFolhaDados); });
    mnuFormulario =
        AddMenuAction(mnuOperacao, QStringLiteral("mnuFormulario"), QStringLiteral("F&ormulário"),
                      {}, [this] { ShowPage(tshFormulario); });
    mnuListagem = AddMenuAction(mnuOperacao, QStringLiteral("mnuListagem"),
                                QStringLiteral("&Listagem"), {}, [this] { sbtImprimirClick(); });

    mnuManutencao = mnuMenu->addMenu(QStringLiteral("&Manutenção"));
    mnuManutencao->setObjectName(QStringLiteral("mnuManutencao"));
    mnuIncluir = AddMenuAction(mnuManutencao, QStringLiteral("mnuIncluir"),
                               QStringLiteral("&Incluir"), {}, [this] { sbtIncluirClick(); });
    mnuAlterar = AddMenuAction(mnuManutencao, QStringLiteral("mnuAlterar"),
                               QStringLiteral("&Alterar"), {}, [this] { sbtAlterarClick(); });
    mnuExcluir = AddMenuAction(mnuManutencao, QStringLiteral("mnuExcluir"),
                               QStringLiteral("&Excluir"), {}, [this] { sbtExcluirClick(); });
    mnuProcurar = AddMenuAction(mnuManutencao, QStringLiteral("mnuProcurar"),
                                QStringLiteral("&Procurar"), {}, [this] { sbtProcurarClick(); });
    mnuVerificar = AddMenuAction(mnuManutencao, QStringLiteral("mnuVerificar"),
                                 QStringLiteral("&Verificar"), {}, [this] { sbtVerificarClick(); });
    mnuCancelar = AddMenuAction(mnuManutencao, QStringLiteral("mnuCancelar"),
                                QStringLiteral("&Cancelar"), {}, [this] { sbtCancelarClick(); });
    mnuConfirmar = AddMenuAction(mnuManutencao, QStringLiteral("mnuConfirmar"),
                                 QStringLiteral("C&onfirmar"), {}, [this] { sbtConfirmarClick(); });
}

void TfrmPadrao::BuildToolBar() {
    panMenu = new QFrame(this);
    panMenu->setObjectName(QStringLiteral("panMenu"));
    panMenu->setFrameShape(QFrame::StyledPanel);
    m_toolLayout = new QHBoxLayout(panMenu);
    m_toolLayout->setContentsMargins(2, 2, 2, 2);
    m_toolLayout->setSpacing(1);
    m_layout->addWidget(panMenu);

    struct TButton {
        QToolButton* TfrmPadrao::*member;
        const char* name;
        const char* hint;
        TPicture icon;
        void (TfrmPadrao::*handler)();
    };
    static const TButton buttons[] = {
        {&TfrmPadrao::sbtIncluir, "sbtIncluir", "Incluir", QStyle::SP_FileIcon,
         &TfrmPadrao::sbtIncluirClick},
        {&TfrmPadrao::sbtAlterar, "sbtAlterar", "Alterar", TToolIcon::Edit,
         &TfrmPadrao::sbtAlterarClick},
        {&TfrmPadrao::sbtExcluir, "sbtExcluir", "Excluir", QStyle::SP_TrashIcon,
         &TfrmPadrao::sbtExcluirClick},
        {&TfrmPadrao::sbtProcurar, "sbtProcurar", "Procurar", QStyle::SP_FileDialogContentsView,
         &TfrmPadrao::sbtProcurarClick},
        {&TfrmPadrao::sbtVerificar, "sbtVerificar", "Verificar", QStyle::SP_BrowserReload,
         &TfrmPadrao::sbtVerificarClick},
        {&TfrmPadrao::sbtOrdenar, "sbtOrdenar", "Ordenar", TToolIcon::Sort,
         &TfrmPadrao::sbtOrdenarClick},
        {&TfrmPadrao::sbtCancelar, "sbtCancelar", "Cancelar", QStyle::SP_DialogCancelButton,
         &TfrmPadrao::sbtCancelarClick},
        {&TfrmPadrao::sbtConfirmar, "sbtConfirmar", "Confirmar", QStyle::SP_DialogApplyButton,
         &TfrmPadrao::sbtConfirmarClick},
        {&TfrmPadrao::sbtImprimir, "sbtImprimir", "Imprimir", TToolIcon::Print,
         &TfrmPadrao::sbtImprimirClick},
        {&TfrmPadrao::sbtAjuda, "sbtAjuda", "Ajuda", QStyle::SP_MessageBoxQuestion,
         &TfrmPadrao::sbtAjudaClick},
        // Leaves the screen: "Sair", since "Fechar" names a command of its own on some screens.
        {&TfrmPadrao::sbtFechar, "sbtFechar", "Sair", TToolIcon::Exit, nullptr},
    };
    for (const TButton& b : buttons) {
        QToolButton* button =
            NewToolButton(panMenu, QLatin1String(b.name), QString::fromUtf8(b.hint), b.icon);
        this->*b.member = button;
        m_toolLayout->addWidget(button);
        if (b.handler)
            OnClick(button, [this, h = b.handler] { (this->*h)(); });
    }
    OnClick(sbtFechar, [this] { close(); });
    m_toolLayout->addStretch(1);
    lblCodTela = new QLabel(panMenu);
    lblCodTela->setObjectName(QStringLiteral("lblCodTela"));
    m_toolLayout->addWidget(lblCodTela);
}

void TfrmPadrao::BuildPages() {
    pgcPadrao = new TPageControl(this);
    pgcPadrao->setObjectName(QStringLiteral("pgcPadrao"));
    m_layout->addWidget(pgcPadrao, 1);

    tshFolhaDados = new TTabSheet(pgcPadrao, QStringLiteral("Folha de Dados"));
    tshFolhaDados->setObjectName(QStringLiteral("tshFolhaDados"));
    auto* listLayout = new QVBoxLayout(tshFolhaDados);
    listLayout->setContentsMargins(0, 0, 0, 0);
    dbgPadrao = new TDBGrid(tshFolhaDados);
    dbgPadrao->setObjectName(QStringLiteral("dbgPadrao"));
    dbgPadrao->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::Indicator |
                          TGridOption::ColLines | TGridOption::RowLines | TGridOption::RowSelect |
                          TGridOption::AlwaysShowSelection);
    dbgPadrao->SetDataSource(dtsPadrao);
    dbgPadrao->OnKeyDown = [this](int& key, Qt::KeyboardModifiers mods) {
        dbgPadraoKeyDown(key, mods);
    };
    listLayout->addWidget(dbgPadrao);

    tshFormulario = new TTabSheet(pgcPadrao, QStringLiteral("Formulário"));
    tshFormulario->setObjectName(QStringLiteral("tshFormulario"));
    pgcPadrao->OnChange = [this] { pgcPadraoChange(); };

    panNavigator = new QFrame(this);
    panNavigator->setObjectName(QStringLiteral("panNavigator"));
    auto* navLayout = new QHBoxLayout(panNavigator);
    navLayout->setContentsMargins(2, 2, 2, 2);
    navLayout->addStretch(1);
    dbnPadrao = new TDBNavigator(panNavigator);
    dbnPadrao->setObjectName(QStringLiteral("dbnPadrao"));
    dbnPadrao->SetDataSource(dtsPadrao);
    navLayout->addWidget(dbnPadrao);
    m_layout->addWidget(panNavigator);
}

QToolButton* TfrmPadrao::AddToolButton(const QString& name, const QString& caption,
                                       const QString& hint) {
    auto* b = new QToolButton(panMenu);
    b->setObjectName(name);
    b->setText(caption);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    m_toolLayout->insertWidget(m_toolLayout->indexOf(sbtImprimir), b);
    return b;
}

void TfrmPadrao::AddBand(QWidget* band) {
    m_layout->insertWidget(m_layout->indexOf(panMenu) + 1 + m_bands++, band);
}

void TfrmPadrao::FormClose(TCloseAction& action) {
    action = TCloseAction::Free;
}

void TfrmPadrao::sbtIncluirClick() {
    RequireDataSet(dtsPadrao).Append();
}

void TfrmPadrao::sbtAlterarClick() {
    RequireDataSet(dtsPadrao).Edit();
}

void TfrmPadrao::sbtExcluirClick() {
    DeleteCurrentRecord(RequireDataSet(dtsPadrao), true);
}

void TfrmPadrao::sbtCancelarClick() {
    RequireDataSet(dtsPadrao).Cancel();
}

void TfrmPadrao::sbtConfirmarClick() {
    RequireDataSet(dtsPadrao).Post();
}

void TfrmPadrao::sbtAjudaClick() {
    TDialogs::Current().Information(QStringLiteral("Não há ajuda disponível para esta tela."));
}

void TfrmPadrao::dbgPadraoKeyDown(int& key, Qt::KeyboardModifiers) {
    // Enter on the list opens the current record on the form page.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && tshFormulario->isEnabled()) {
        key = 0;
        ShowPage(tshFormulario);
    }
}

void TfrmPadrao::ShowPage(TTabSheet* page) {
    pgcPadrao->SetActivePage(page);
    pgcPadraoChange();
}

bool TfrmPadrao::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::WindowActivate:
        Activated();
        break;
    case QEvent::WindowDeactivate:
        Deactivated();
        break;
    case QEvent::ParentChange:
        WatchMdiFrame();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

// Inside the host's MDI area the screen's window stays active while the
// operator moves between screens: its frame tells when it becomes the
// active screen and when it stops being it.
void TfrmPadrao::WatchMdiFrame() {
    disconnect(m_frameWatch);
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        m_frameWatch = connect(frame, &QMdiSubWindow::windowStateChanged, this,
                               [this](Qt::WindowStates before, Qt::WindowStates now) {
                                   const bool was = before.testFlag(Qt::WindowActive);
                                   const bool is = now.testFlag(Qt::WindowActive);
                                   if (!was && is)
                                       Activated();
                                   else if (was && !is)
                                       Deactivated();
                               });
}

// A failed activation is told in a box, and the window becomes active again
// when the box goes: that must not start it over, or a server that is down
// would show its box for ever. The operator's next return does.
void TfrmPadrao::Activated() {
    if (!m_activationArmed || m_activating)
        return;
    m_activating = true;
    const bool done = Dispatch([this] { FormActivate(); });
    m_activating = false;
    m_activationArmed = done;
}

void TfrmPadrao::Deactivated() {
    if (!m_activating)
        m_activationArmed = true;
}

void TfrmPadrao::closeEvent(QCloseEvent* e) {
    TCloseAction action = TCloseAction::Free;
    if (!Dispatch([&] { FormClose(action); }) || action == TCloseAction::None) {
        e->ignore();
        return;
    }
    e->accept();
    if (action == TCloseAction::Free)
        deleteLater();
}
