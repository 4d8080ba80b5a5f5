#pragma once

#include <QLabel>

class TDataSource;
class TFieldDataLink;

// A label showing a field's display text.
class TDBText : public QLabel {
    Q_OBJECT
public:
    explicit TDBText(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const QString& DataField() const;
    void SetDataField(const QString& name);

private:
    TFieldDataLink* m_link;
};
