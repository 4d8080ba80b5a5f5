#pragma once

#include "DateEditPlus.h"

class TDataSource;
class TFieldDataLink;

// A date edit bound to a date field: shows the field's date, writes it back
// (empty as null) when the control is left or the record is posted; an
// invalid date stops both.
class TDBDateEditPlus : public TDateEditPlus {
    Q_OBJECT
public:
    explicit TDBDateEditPlus(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const QString& DataField() const;
    void SetDataField(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void ExitEdit() override;

private:
    void ShowField();
    void WriteField();

    TFieldDataLink* m_link;
};
