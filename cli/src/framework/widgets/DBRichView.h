#pragma once

#include <QTextBrowser>

class TDataSource;
class TFieldDataLink;

// A read-only view of a memo field kept as RTF: shows the formatted text;
// a value that is not RTF is shown as plain text.
class TDBRichView : public QTextBrowser {
    Q_OBJECT
public:
    explicit TDBRichView(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const QString& DataField() const;
    void SetDataField(const QString& name);

private:
    void ShowField();

    TFieldDataLink* m_link;
};
