#include "framework/widgets/DBMemo.h"

#include "core/data/Field.h"
#include "framework/services/FocusTracker.h"
#include "framework/widgets/FieldDataLink.h"

#include <QKeyEvent>

TDBMemo::TDBMemo(QWidget* parent) : QPlainTextEdit(parent), TFieldBinding(this) {
    m_link->OnDataChange = [this] { ShowField(); };
    m_link->OnStateChange = [this] { setReadOnly(!m_link->CanModify()); };
    m_link->OnUpdateData = [this] { WriteField(); };
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_link->SetModified();
    });
    TFocusTracker::Instance().SetControlExit(this, [this] { m_link->UpdateRecord(); });
    setReadOnly(true);
}

void TDBMemo::ShowField() {
    const TField* field = m_link->Field();
    m_showing = true;
    setPlainText(field ? field->AsString() : QString());
    m_showing = false;
}

void TDBMemo::WriteField() {
    TField* field = m_link->Field();
    const QString text = toPlainText();
    if (text.isEmpty())
        field->Clear();
    else
        field->SetAsString(text);
}

void TDBMemo::keyPressEvent(QKeyEvent* event) {
    if (m_link->AcceptKey(event, true))
        QPlainTextEdit::keyPressEvent(event);
}
