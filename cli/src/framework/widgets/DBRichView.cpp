#include "framework/widgets/DBRichView.h"

#include "core/data/Field.h"
#include "framework/widgets/FieldDataLink.h"
#include "framework/widgets/RtfText.h"

TDBRichView::TDBRichView(QWidget* parent) : QTextBrowser(parent), TFieldBinding(this) {
    setOpenLinks(false);
    m_link->OnDataChange = [this] { ShowField(); };
}

void TDBRichView::ShowField() {
    const TField* field = m_link->Field();
    const QString value = field ? field->AsString() : QString();
    if (IsRtf(value))
        RtfToDocument(value, *document());
    else
        setPlainText(value);
}
