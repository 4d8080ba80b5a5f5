#include "Cli_ore00800.h"

#include "ScreenPresenter.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

constinit TfrmFechaOrca* frmFechaOrca = nullptr;
constinit bool boStCriado = false;

namespace {

// Wait cursor for the factory's duration, restored on any way out.
struct TWaitCursor {
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TfrmFechaOrca::TfrmFechaOrca() : data(this), queries(this) {
    setObjectName(QStringLiteral("frmFechaOrca"));
    setWindowTitle(QStringLiteral("Fechamento do Orçamento"));
    lblCodTela->setText(QStringLiteral("ORE00800"));
    resize(780, 540);
}

TfrmFechaOrca::~TfrmFechaOrca() {
    // Destroyed without closing (host shutdown, module finalisation).
    if (frmFechaOrca == this) {
        frmFechaOrca = nullptr;
        boStCriado = false;
    }
}

void TfrmFechaOrca::FormClose(TCloseAction& action) {
    // Released right after the close: the next opening makes a new screen.
    if (frmFechaOrca == this)
        frmFechaOrca = nullptr;
    boStCriado = false;
    TfrmPadrao::FormClose(action);
}

QSize DesktopSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void CriaFechaOrca(QSize desktop) {
    TWaitCursor wait;
    if (!boStCriado) {
        frmFechaOrca = TfrmPadrao::Create<TfrmFechaOrca>();
        boStCriado = true;
    }
    PresentScreen(frmFechaOrca, desktop == QSize(640, 480));
}

void InitializeCli_ore00800() {
    boStCriado = false;
}

void FinalizeCli_ore00800() {
    // The screen's code goes away with the module: it must not outlive it.
    delete frmFechaOrca;
    frmFechaOrca = nullptr;
    boStCriado = false;
}
