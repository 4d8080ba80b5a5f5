#include "DBRichView.h"

#include "Field.h"
#include "FieldDataLink.h"
#include "RtfText.h"

TDBRichView::TDBRichView(QWidget* parent) : QTextBrowser(parent), m_link(new TFieldDataLink(this)) {
    setOpenLinks(false);
    m_link->OnDataChange = [this] { ShowField(); };
}

TDataSource* TDBRichView::DataSource() const {
    return m_link->DataSource();
}
void TDBRichView::SetDataSource(TDataSource* source) {
    m_link->SetDataSource(source);
}
const QString& TDBRichView::DataField() const {
    return m_link->DataField();
}
void TDBRichView::SetDataField(const QString& name) {
    m_link->SetDataField(name);
}

void TDBRichView::ShowField() {
    const TField* field = m_link->Field();
    const QString value = field ? field->AsString() : QString();
    if (IsRtf(value))
        RtfToDocument(value, *document());
    else
        setPlainText(value);
}
