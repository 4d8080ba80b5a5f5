#include "framework/widgets/DBEdit.h"

#include "core/data/DataSource.h"
#include "core/data/Field.h"
#include "framework/widgets/FieldDataLink.h"

#include <QKeyEvent>

TDBEdit::TDBEdit(QWidget* parent) : TMaskEdit(parent), TFieldBinding(this) {
    m_link->OnDataChange = [this] { ShowField(); };
    m_link->OnStateChange = [this] { setReadOnly(!m_link->CanModify()); };
    m_link->OnUpdateData = [this] { WriteField(); };
    connect(this, &QLineEdit::textEdited, m_link, &TFieldDataLink::SetModified);
    setReadOnly(true);
}

void TDBEdit::ShowField() {
    const TField* field = m_link->Field();
    SetEditMask(field ? field->EditMask() : QString());
    if (EditMask().isEmpty()) // a longer text would only be refused when it is written
        setMaxLength(field && field->Kind() == TFieldKind::String && field->Size() > 0
                         ? field->Size()
                         : 32767);
    if (!field)
        SetText(QString());
    else if (!EditMask().isEmpty())
        SetText(field->AsString()); // the mask shows it as the field would
    else
        SetText(hasFocus() ? field->Text() : field->DisplayText());
}

void TDBEdit::WriteField() {
    TField* field = m_link->Field();
    const QString value = Text();
    if (value.isEmpty())
        field->Clear();
    else
        field->SetAsString(value);
}

void TDBEdit::keyPressEvent(QKeyEvent* event) {
    if (m_link->AcceptKey(event))
        TMaskEdit::keyPressEvent(event);
}

void TDBEdit::focusInEvent(QFocusEvent* event) {
    if (!m_link->Modified())
        ShowField(); // the edit text, where it differs from the display text
    TMaskEdit::focusInEvent(event);
}

void TDBEdit::ExitEdit() {
    TMaskEdit::ExitEdit();
    m_link->UpdateRecord();
    if (!m_link->Modified())
        ShowField();
}
