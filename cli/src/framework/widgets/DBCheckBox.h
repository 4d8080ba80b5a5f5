#pragma once

#include <QCheckBox>

class TDataSource;
class TFieldDataLink;

// A check box bound to a field: checked when the field holds ValueChecked
// ("S" unless set; true for a boolean field). A click writes the other value
// at once; nothing happens when the field cannot be changed.
class TDBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit TDBCheckBox(QWidget* parent = nullptr);

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    const QString& DataField() const;
    void SetDataField(const QString& name);

    QString ValueChecked = QStringLiteral("S");
    QString ValueUnchecked = QStringLiteral("N");

protected:
    void nextCheckState() override;

private:
    void ShowField();

    TFieldDataLink* m_link;
};
