#include "host/MainWindow.h"

#include "framework/services/Dispatch.h"
#include "framework/services/ScreenPresenter.h"
#include "framework/services/Session.h"
#include "host/KnownScreens.h"
#include "host/ModuleLoader.h"

#include <QEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>

#include <algorithm>

namespace {

const char* const kDesignedSize = "designedSize"; // of a screen's frame

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
    mdiPrincipal->viewport()->installEventFilter(this);
    setCentralWidget(mdiPrincipal);
    CreateMenus();
    CreateStatusBar();
    // Smaller desktops (800 × 600 is common) get the whole of it.
    const QScreen* desktop = screen();
    if (desktop &&
        (desktop->availableSize().width() < 1024 || desktop->availableSize().height() < 720))
        setWindowState(Qt::WindowMaximized);
    else
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
    // The host ends the operator's session on its way out.
    sair->setStatusTip(QStringLiteral("Encerra a sessão do operador e fecha o sistema"));
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
        // The screen keeps the size it was designed with, inside the frame,
        // as far as the window area has room for it (see FitScreen).
        const QSize size = screen->size();
        sub = mdiPrincipal->addSubWindow(screen);
        sub->setProperty(kDesignedSize, size.grownBy(sub->contentsMargins()));
        FitScreen(sub);
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

bool TfrmPrincipal::eventFilter(QObject* watched, QEvent* event) {
    // The area's size is known only once the window is laid out (maximised
    // on a small desktop); it changes with the window too.
    if (watched == mdiPrincipal->viewport() && event->type() == QEvent::Resize)
        for (QMdiSubWindow* sub : mdiPrincipal->subWindowList())
            FitScreen(sub);
    return QMainWindow::eventFilter(watched, event);
}

void TfrmPrincipal::FitScreen(QMdiSubWindow* sub) {
    const QSize designed = sub->property(kDesignedSize).toSize();
    if (!designed.isValid() || sub->isMaximized() || sub->isMinimized())
        return;
    const QSize room = mdiPrincipal->viewport()->size();
    sub->resize(designed.boundedTo(room));
    // Wholly inside the area, title bar included.
    sub->move(std::max(0, std::min(sub->x(), room.width() - sub->width())),
              std::max(0, std::min(sub->y(), room.height() - sub->height())));
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
