#include "framework/widgets/DBCheckBox.h"

#include "core/data/Field.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/FieldDataLink.h"

TDBCheckBox::TDBCheckBox(QWidget* parent) : QCheckBox(parent), TFieldBinding(this) {
    m_link->OnDataChange = [this] { ShowField(); };
}

void TDBCheckBox::ShowField() {
    const TField* field = m_link->Field();
    bool on = false;
    if (field)
        on = field->Kind() == TFieldKind::Boolean ? field->AsBoolean()
                                                  : field->AsString().trimmed() == ValueChecked;
    setChecked(on);
}

void TDBCheckBox::nextCheckState() {
    // The box follows the field: it changes when the field does.
    Dispatch([this] {
        if (!m_link->CanModify())
            return;
        const bool on = !isChecked();
        m_link->Edit();
        TField* field = m_link->Field();
        if (field->Kind() == TFieldKind::Boolean)
            field->SetAsBoolean(on);
        else
            field->SetAsString(on ? ValueChecked : ValueUnchecked);
    });
}
