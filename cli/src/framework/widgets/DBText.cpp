#include "framework/widgets/DBText.h"

#include "core/data/Field.h"
#include "framework/widgets/FieldDataLink.h"

TDBText::TDBText(QWidget* parent) : QLabel(parent), TFieldBinding(this) {
    setTextFormat(Qt::PlainText);
    m_link->OnDataChange = [this] {
        const TField* field = m_link->Field();
        setText(field ? field->DisplayText() : QString());
    };
}
