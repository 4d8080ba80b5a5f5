#include "framework/forms/ControlValues.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace {

bool IsCheckable(const QObject* o) {
    return qobject_cast<const QCheckBox*>(o) || qobject_cast<const QRadioButton*>(o);
}

} // namespace

QStringList CaptureControls(const QWidget* root) {
    QStringList lines;
    for (const QWidget* w : root->findChildren<const QWidget*>()) {
        if (w->objectName().isEmpty())
            continue;
        if (auto* edit = qobject_cast<const QLineEdit*>(w))
            lines << w->objectName() + u'=' + edit->text();
        else if (IsCheckable(w))
            lines << w->objectName() + u'=' +
                         (static_cast<const QAbstractButton*>(w)->isChecked() ? u'1' : u'0');
    }
    return lines;
}

void RestoreControls(QWidget* root, const QStringList& lines) {
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        const QString name = line.left(eq);
        const QString value = line.mid(eq + 1);
        QWidget* w = root->findChild<QWidget*>(name);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            edit->setText(value);
        else if (w && IsCheckable(w))
            static_cast<QAbstractButton*>(w)->setChecked(value == u'1');
    }
}
