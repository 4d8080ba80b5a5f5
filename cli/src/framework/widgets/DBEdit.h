#pragma once

#include "MaskEdit.h"

class TDataSource;
class TFieldDataLink;

// An edit bound to a field: its display text when the operator is elsewhere,
// its edit text while editing, entered through the field's edit mask. The
// first change puts the data set into edit state; the text goes to the field
// when the control is left or the record is posted. Typing is refused,
// without a message, when the field cannot be changed.
class TDBEdit : public TMaskEdit {
    Q_OBJECT
public:
    explicit TDBEdit(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const QString& DataField() const;
    void SetDataField(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void ExitEdit() override;

private:
    void ShowField();
    void WriteField();

    TFieldDataLink* m_link;
};
