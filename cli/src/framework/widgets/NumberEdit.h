#pragma once

#include "framework/widgets/ProgramText.h"

#include <QLineEdit>

// A right-aligned number edit: the number in its display format (pt-BR,
// "1.234,50") while the operator is elsewhere, its plain text ("1234,5")
// while editing. Only digits, the decimal separator and a leading minus are
// accepted; the keypad's point types the decimal separator.
class TNumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TNumberEdit(QWidget* parent = nullptr);

    const QString& DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(const QString& format);

    // While editing, the number typed so far; an empty edit is 0.
    double Number() const;
    void SetNumber(double value);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowNumber();
    double TypedNumber() const;

    QString m_displayFormat = QStringLiteral("#,##0.00");
    double m_number = 0;
    TProgramText m_put;
};
