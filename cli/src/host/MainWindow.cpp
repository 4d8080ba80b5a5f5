#include "MainWindow.h"

#include "Dispatch.h"
#include "KnownScreens.h"
#include "ModuleLoader.h"
#include "ScreenPresenter.h"
#include "Session.h"

#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

namespace {

// Runs a menu command as every handler runs: through the dispatcher.
template <class F> void OnTriggered(QAction* action, QObject* context, F handler) {
    QObject::connect(action, &QAction::triggered, context, [handler] { Dispatch(handler); });
}

} // namespace

TfrmPrincipal::TfrmPrincipal(TModuleLoader& loader, QWidget* parent)
    : QMainWindow(parent), m_loader(loader) {
    setObjectName(QStringLiteral("frmPrincipal"));
    setWindowTitle(QStringLiteral("Gestão de Eventos"));
    mdiPrincipal = new QMdiArea(this);
    mdiPrincipal->setObjectName(QStringLiteral("mdiPrincipal"));
    setCentralWidget(mdiPrincipal);
    CreateMenus();
    CreateStatusBar();
    resize(1024, 720);
    SetScreenPresenter([this](QWidget* screen, bool maximized) { ShowInMdi(screen, maximized); });
}

TfrmPrincipal::~TfrmPrincipal() {
    SetScreenPresenter({});
}

void TfrmPrincipal::OpenScreen(const QString& code) {
    Dispatch([&] { m_loader.OpenScreen(code); });
}

void TfrmPrincipal::CreateMenus() {
    QMenu* arquivo = menuBar()->addMenu(QStringLiteral("&Arquivo"));
    arquivo->setObjectName(QStringLiteral("mnuArquivo"));
    QAction* sair = arquivo->addAction(QStringLiteral("&Sair"));
    sair->setObjectName(QStringLiteral("mniSair"));
    sair->setShortcut(QKeySequence::Quit);
    OnTriggered(sair, this, [this] { mniSairClick(); });

    QMenu* telas = menuBar()->addMenu(QStringLiteral("&Telas"));
    telas->setObjectName(QStringLiteral("mnuTelas"));
    for (const TKnownScreen& screen : KnownScreens()) {
        const QString code = QString::fromUtf8(screen.code);
        QAction* item =
            telas->addAction(QStringLiteral("%1 - %2").arg(code, QString::fromUtf8(screen.title)));
        item->setObjectName(QStringLiteral("mni") + code);
        OnTriggered(item, this, [this, code] { m_loader.OpenScreen(code); });
    }
    telas->addSeparator();
    QAction* abrir = telas->addAction(QStringLiteral("Abrir tela..."));
    abrir->setObjectName(QStringLiteral("mniAbrirTela"));
    OnTriggered(abrir, this, [this] { mniAbrirTelaClick(); });
}

void TfrmPrincipal::CreateStatusBar() {
    const TSessionInfo& s = Session();
    auto add = [this](const char* name, const QString& text) {
        auto* label = new QLabel(text, statusBar());
        label->setObjectName(QString::fromLatin1(name));
        statusBar()->addWidget(label);
    };
    add("lblOperador", QStringLiteral("Operador: %1").arg(s.operador));
    add("lblFilial", s.nomeFiliProc.isEmpty()
                         ? QStringLiteral("Filial: %1").arg(s.filiProc)
                         : QStringLiteral("Filial: %1 - %2").arg(s.filiProc, s.nomeFiliProc));
    add("lblServidor", QStringLiteral("Servidor: %1:%2").arg(s.webUrl).arg(s.webPort));
}

void TfrmPrincipal::ShowInMdi(QWidget* screen, bool maximized) {
    QMdiSubWindow* sub = nullptr;
    for (QMdiSubWindow* s : mdiPrincipal->subWindowList())
        if (s->widget() == screen)
            sub = s;
    if (!sub) {
        // The screen keeps the size it was designed with, inside the frame.
        const QSize size = screen->size();
        sub = mdiPrincipal->addSubWindow(screen);
        sub->resize(size.grownBy(sub->contentsMargins()));
        // The module owns its screen: when the screen goes, its frame goes too.
        connect(screen, &QObject::destroyed, sub, &QObject::deleteLater);
    }
    screen->show();
    if (maximized)
        sub->showMaximized();
    else
        sub->showNormal();
    mdiPrincipal->setActiveSubWindow(sub);
}

void TfrmPrincipal::mniSairClick() {
    close();
}

void TfrmPrincipal::mniAbrirTelaClick() {
    QInputDialog ask(this);
    ask.setObjectName(QStringLiteral("dlgAbrirTela"));
    ask.setWindowTitle(QStringLiteral("Abrir tela"));
    ask.setLabelText(QStringLiteral("Código da tela:"));
    ask.setOkButtonText(QStringLiteral("&Abrir"));
    ask.setCancelButtonText(QStringLiteral("&Cancelar"));
    if (ask.exec() != QDialog::Accepted || ask.textValue().trimmed().isEmpty())
        return;
    m_loader.OpenScreen(ask.textValue());
}
