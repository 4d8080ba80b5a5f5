#pragma once

#include "framework/widgets/FieldBinding.h"
#include "framework/widgets/MaskEdit.h"

// An edit bound to a field: its display text when the operator is elsewhere,
// its edit text while editing, entered through the field's edit mask. The
// first change puts the data set into edit state; the text goes to the field
// when the control is left or the record is posted. Typing is refused,
// without a message, when the field cannot be changed.
class TDBEdit : public TMaskEdit, public TFieldBinding {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void ExitEdit() override;

private:
    void ShowField();
    void WriteField();
};
