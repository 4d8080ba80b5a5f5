#include "framework/widgets/DBDateEditPlus.h"

#include "core/data/Field.h"
#include "framework/widgets/FieldDataLink.h"

#include <QKeyEvent>

TDBDateEditPlus::TDBDateEditPlus(QWidget* parent) : TDateEditPlus(parent), TFieldBinding(this) {
    m_link->OnDataChange = [this] { ShowField(); };
    m_link->OnStateChange = [this] { setReadOnly(!m_link->CanModify()); };
    m_link->OnUpdateData = [this] { WriteField(); };
    connect(this, &QLineEdit::textEdited, m_link, &TFieldDataLink::SetModified);
    setReadOnly(true);
}

void TDBDateEditPlus::ShowField() {
    const TField* field = m_link->Field();
    SetDate(field && !field->IsNull() ? field->AsDateTime() : 0);
}

void TDBDateEditPlus::WriteField() {
    CheckValidDate();
    TField* field = m_link->Field();
    const double date = GetDate();
    if (date == 0)
        field->Clear();
    else
        field->SetAsDateTime(date);
}

void TDBDateEditPlus::keyPressEvent(QKeyEvent* event) {
    if (m_link->AcceptKey(event))
        TDateEditPlus::keyPressEvent(event);
}

void TDBDateEditPlus::ExitEdit() {
    TDateEditPlus::ExitEdit();
    m_link->UpdateRecord();
}
