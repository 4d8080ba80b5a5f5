#include "framework/services/BusyOverlay.h"

#include <QApplication>
#include <QBackingStore>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <QWindow>

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
        m_label = new QLabel(text, this);
        m_label->setObjectName(QStringLiteral("lblAguarde"));
        QFont bold = m_label->font();
        bold.setBold(true);
        m_label->setFont(bold);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(24, 12, 24, 12);
        layout->addWidget(m_label, 0, Qt::AlignCenter);
        resize(sizeHint());
        Centre();
        form->installEventFilter(this);
    }

    QString Text() const { return m_label->text(); }

    // Paints the box at once, and nothing else. repaint() would first paint
    // all the window has waiting to be painted (a screen that has just moved
    // to another record has most of its controls waiting), which costs more
    // than a light call itself; the rest is painted when the call is over.
    void PaintNow() {
        QWidget* window = this->window();
        QBackingStore* store = window->backingStore();
        QWindow* handle = window->windowHandle();
        // Only over what the window has already painted at its present size:
        // a window not yet shown, or resized since, is painted whole.
        if (!store || !handle || !handle->isExposed() || store->size() != window->size()) {
            repaint();
            return;
        }
        const QRect area(mapTo(window, QPoint(0, 0)), size());
        store->beginPaint(area);
        if (QPaintDevice* device = store->paintDevice()) {
            // The box looks the same on every call: drawn from a picture of
            // it, without going through the widgets' painting.
            if (m_look.isNull() || m_look.deviceIndependentSize() != QSizeF(size()) ||
                m_look.devicePixelRatio() != devicePixelRatioF())
                m_look = grab();
            QPainter painter(device);
            painter.drawPixmap(area.topLeft(), m_look);
        }
        store->endPaint();
        store->flush(area, handle);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Resize)
            Centre();
        return false;
    }

private:
    QLabel* m_label;
    QPixmap m_look;

    void Centre() {
        QRect box = rect();
        box.moveCenter(parentWidget()->rect().center());
        move(box.topLeft());
    }
};

namespace {

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
    // The box of the last call over the same window is shown again: a new
    // one would be laid out, its text shaped, for every light call.
    const QString text = TextOf(kind);
    TBusyBox* box = m_panel;
    if (!box || box->parentWidget() != form || box->Text() != text) {
        delete box;
        box = new TBusyBox(form, text);
        m_panel = box;
    }
    box->show();
    box->raise();
    box->PaintNow();
}

QWidget* TBusyOverlay::Panel() const {
    return m_panel && m_panel->isVisible() ? m_panel.data() : nullptr;
}

void TBusyOverlay::Deactivate() {
    if (m_depth == 0)
        return;
    if (--m_depth == 0)
        Remove();
}

void TBusyOverlay::Remove() {
    // Hidden now, not later: a deferred hide would wait for the event loop.
    if (m_panel)
        m_panel->hide();
    QApplication::restoreOverrideCursor();
}
