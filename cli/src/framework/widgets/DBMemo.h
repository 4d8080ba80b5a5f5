#pragma once

#include "framework/widgets/FieldBinding.h"
#include <QPlainTextEdit>

// A plain-text memo bound to a field; edits as TDBEdit does: the first change
// puts the data set into edit state, the text goes to the field when the memo
// is left or the record is posted.
class TDBMemo : public QPlainTextEdit, public TFieldBinding {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowField();
    void WriteField();

    bool m_showing = false;
};
