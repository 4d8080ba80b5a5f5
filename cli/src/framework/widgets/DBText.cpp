#include "DBText.h"

#include "Field.h"
#include "FieldDataLink.h"

TDBText::TDBText(QWidget* parent) : QLabel(parent), m_link(new TFieldDataLink(this)) {
    setTextFormat(Qt::PlainText);
    m_link->OnDataChange = [this] {
        const TField* field = m_link->Field();
        setText(field ? field->DisplayText() : QString());
    };
}

TDataSource* TDBText::DataSource() const {
    return m_link->DataSource();
}
void TDBText::SetDataSource(TDataSource* source) {
    m_link->SetDataSource(source);
}
const QString& TDBText::DataField() const {
    return m_link->DataField();
}
void TDBText::SetDataField(const QString& name) {
    m_link->SetDataField(name);
}
