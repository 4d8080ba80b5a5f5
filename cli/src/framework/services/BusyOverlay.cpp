#include "framework/services/BusyOverlay.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// An opaque box centred on the window it stands over, following its size.
// Opaque and small, so that painting it at once paints only the box: a
// panel over the whole window would repaint everything under it on every
// call, which costs more than a light call itself.
class TBusyBox : public QFrame {
public:
    TBusyBox(QWidget* form, const QString& text) : QFrame(form) {
        setObjectName(QStringLiteral("pnlAguarde"));
        setFrameShape(QFrame::Box);
        setAutoFillBackground(true);
        QPalette ground = palette();
        ground.setColor(QPalette::Window, Qt::white);
        setPalette(ground);
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("lblAguarde"));
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(24, 12, 24, 12);
        layout->addWidget(label, 0, Qt::AlignCenter);
        resize(sizeHint());
        Centre();
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Resize)
            Centre();
        return false;
    }

private:
    void Centre() {
        QRect box = rect();
        box.moveCenter(parentWidget()->rect().center());
        move(box.topLeft());
    }
};

QString TextOf(int kind) {
    return kind == 6 ? QStringLiteral("Processando...") : QStringLiteral("Aguarde...");
}

} // namespace

void TBusyOverlay::Activate(QWidget* mainForm, int kind) {
    if (m_depth++ > 0)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QWidget* form = mainForm ? mainForm : QApplication::activeWindow();
    if (!form)
        return;
    m_panel = new TBusyBox(form, TextOf(kind));
    m_panel->show();
    m_panel->raise();
    m_panel->repaint();
}

void TBusyOverlay::Deactivate() {
    if (m_depth == 0)
        return;
    if (--m_depth == 0)
        Remove();
}

void TBusyOverlay::Remove() {
    // Deleted now, not later: a deferred deletion would wait for the event loop.
    delete m_panel.data();
    QApplication::restoreOverrideCursor();
}
