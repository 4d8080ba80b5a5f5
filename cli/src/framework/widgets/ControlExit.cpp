#include "ControlExit.h"

#include "Dispatch.h"

#include <QFocusEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void RunExitAfterFocusOut(QWidget* control, const QFocusEvent* event,
                          std::function<void()> handler) {
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    QPointer<QWidget> guard(control);
    QTimer::singleShot(0, control, [guard, handler = std::move(handler)] {
        if (guard && !Dispatch(handler) && guard)
            guard->setFocus(Qt::OtherFocusReason);
    });
}
