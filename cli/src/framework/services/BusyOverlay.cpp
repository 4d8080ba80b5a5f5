#include "framework/services/BusyOverlay.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// Follows the size of the window it covers.
class TOverlayPanel : public QWidget {
public:
    TOverlayPanel(QWidget* form, const QString& text) : QWidget(form) {
        setObjectName(QStringLiteral("pnlAguarde"));
        setAttribute(Qt::WA_StyledBackground);
        setStyleSheet(QStringLiteral("#pnlAguarde { background-color: rgba(255, 255, 255, 160); }"
                                     "#lblAguarde { background-color: white; border: 1px solid "
                                     "gray; padding: 12px 24px; font-weight: bold; }"));
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("lblAguarde"));
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(label, 0, Qt::AlignCenter);
        setGeometry(form->rect());
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Resize)
            setGeometry(parentWidget()->rect());
        return false;
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
    m_panel = new TOverlayPanel(form, TextOf(kind));
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
