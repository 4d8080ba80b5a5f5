#include "framework/widgets/DBRadioGroup.h"

#include "core/data/Field.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/FieldDataLink.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

TDBRadioGroup::TDBRadioGroup(QWidget* parent)
    : QGroupBox(parent), TFieldBinding(this), m_buttons(new QButtonGroup(this)) {
    new QVBoxLayout(this);
    m_link->OnDataChange = [this] { ShowField(); };
    connect(m_buttons, &QButtonGroup::idClicked, this,
            [this](int item) { Dispatch([this, item] { Choose(item); }); });
}

void TDBRadioGroup::SetItems(const QStringList& captions) {
    for (QAbstractButton* button : m_buttons->buttons())
        delete button;
    m_items = captions;
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], this);
        m_buttons->addButton(button, i);
        layout()->addWidget(button);
    }
    ShowField();
}

void TDBRadioGroup::SetValues(const QStringList& values) {
    m_values = values;
    ShowField();
}

QString TDBRadioGroup::ValueOf(int item) const {
    return item < m_values.size() ? m_values[item] : m_items[item];
}

int TDBRadioGroup::ItemIndex() const {
    return m_buttons->checkedId();
}

void TDBRadioGroup::ShowField() {
    const TField* field = m_link->Field();
    const QString value = field ? field->AsString().trimmed() : QString();
    int checked = -1;
    for (int i = 0; i < m_items.size() && checked < 0; ++i) {
        if (field && !field->IsNull() && ValueOf(i) == value)
            checked = i;
    }
    // An exclusive group cannot uncheck its last button.
    m_buttons->setExclusive(false);
    for (QAbstractButton* button : m_buttons->buttons())
        button->setChecked(m_buttons->id(button) == checked);
    m_buttons->setExclusive(true);
}

void TDBRadioGroup::Choose(int item) {
    // Until the field changes, the buttons keep showing what it holds.
    ShowField();
    m_link->Edit();
    m_link->Field()->SetAsString(ValueOf(item));
}
