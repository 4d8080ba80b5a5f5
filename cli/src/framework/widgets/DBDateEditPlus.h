#pragma once

#include "framework/widgets/DateEditPlus.h"
#include "framework/widgets/FieldBinding.h"

// A date edit bound to a date field: shows the field's date, writes it back
// (empty as null) when the control is left or the record is posted; an
// invalid date stops both.
class TDBDateEditPlus : public TDateEditPlus, public TFieldBinding {
    Q_OBJECT
public:
    explicit TDBDateEditPlus(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void ExitEdit() override;

private:
    void ShowField();
    void WriteField();
};
