#pragma once

#include "framework/widgets/FieldBinding.h"
#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A group of radio buttons bound to a field: item i stands for Values[i]
// (its caption when there are fewer values). Choosing an item writes its value
// at once; none is checked when the field holds no item's value.
class TDBRadioGroup : public QGroupBox, public TFieldBinding {
    Q_OBJECT
public:
    explicit TDBRadioGroup(QWidget* parent = nullptr);

    const QStringList& Items() const { return m_items; }
    void SetItems(const QStringList& captions);
    const QStringList& Values() const { return m_values; }
    void SetValues(const QStringList& values);

    // The checked item; -1 when none.
    int ItemIndex() const;

private:
    QString ValueOf(int item) const;
    void ShowField();
    void Choose(int item);

    QButtonGroup* m_buttons;
    QStringList m_items;
    QStringList m_values;
};
