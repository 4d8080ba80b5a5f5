#pragma once

#include "framework/widgets/FieldBinding.h"
#include <QCheckBox>

// A check box bound to a field: checked when the field holds ValueChecked
// ("S" unless set; true for a boolean field). A click writes the other value
// at once; nothing happens when the field cannot be changed.
class TDBCheckBox : public QCheckBox, public TFieldBinding {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);

    QString ValueChecked = QStringLiteral("S");
    QString ValueUnchecked = QStringLiteral("N");

protected:
    void nextCheckState() override;

private:
    void ShowField();
};
