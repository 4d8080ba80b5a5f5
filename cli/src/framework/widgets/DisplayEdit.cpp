#include "framework/widgets/DisplayEdit.h"

#include <QLineEdit>

void SetDisplayOnly(QLineEdit* edit) {
    edit->setEnabled(true);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    QPalette face = edit->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    edit->setPalette(face);
}
