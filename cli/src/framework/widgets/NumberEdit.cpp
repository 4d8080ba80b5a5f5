#include "framework/widgets/NumberEdit.h"

#include "core/data/NumberFormat.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

TNumberEdit::TNumberEdit(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QString separator =
        QRegularExpression::escape(QString(TFormatSettings::Current().decimalSeparator));
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?\\d*(%1\\d*)?").arg(separator)), this));
    ShowNumber();
}

void TNumberEdit::SetDisplayFormat(const QString& format) {
    m_displayFormat = format;
    ShowNumber();
}

double TNumberEdit::Number() const {
    return hasFocus() ? TypedNumber() : m_number;
}

double TNumberEdit::TypedNumber() const {
    double value = 0;
    return TryStrToFloat(text(), value) ? value : 0;
}

void TNumberEdit::SetNumber(double value) {
    m_number = value;
    ShowNumber();
}

void TNumberEdit::ShowNumber() {
    if (hasFocus())
        m_put.Put(*this, m_number == 0 ? QString() : FloatToStr(m_number));
    else
        m_put.Put(*this, FormatFloat(m_displayFormat, m_number));
}

void TNumberEdit::focusInEvent(QFocusEvent* event) {
    ShowNumber();
    QLineEdit::focusInEvent(event);
}

void TNumberEdit::focusOutEvent(QFocusEvent* event) {
    m_number = TypedNumber();
    QLineEdit::focusOutEvent(event);
    ShowNumber();
}

void TNumberEdit::keyPressEvent(QKeyEvent* event) {
    if ((event->modifiers() & Qt::KeypadModifier) && event->key() == Qt::Key_Period) {
        insert(QString(TFormatSettings::Current().decimalSeparator));
        return;
    }
    QLineEdit::keyPressEvent(event);
}
