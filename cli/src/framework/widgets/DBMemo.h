#pragma once

#include <QPlainTextEdit>

class TDataSource;
class TFieldDataLink;

// A plain-text memo bound to a field; edits as TDBEdit does: the first change
// puts the data set into edit state, the text goes to the field when the memo
// is left or the record is posted.
class TDBMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TDBMemo(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const QString& DataField() const;
    void SetDataField(const QString& name);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowField();
    void WriteField();

    TFieldDataLink* m_link;
    bool m_showing = false;
};
