#include "framework/widgets/FieldDataLink.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "framework/services/Dispatch.h"

#include <QKeyEvent>
#include <QWidget>

TFieldDataLink::TFieldDataLink(QWidget* control) : QObject(control), m_control(control) {
    m_control->installEventFilter(this);
}

void TFieldDataLink::SetDataSource(TDataSource* source) {
    if (source == m_source)
        return;
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &TDataSource::dataChanged, this, &TFieldDataLink::DataChanged);
        connect(m_source, &TDataSource::stateChanged, this, &TFieldDataLink::StateChanged);
        connect(m_source, &TDataSource::updateRecord, this, &TFieldDataLink::UpdateRecord);
    }
    Refresh();
}

void TFieldDataLink::SetDataField(const QString& name) {
    m_fieldName = name;
    Refresh();
}

TField* TFieldDataLink::Field() const {
    TDataSet* dataSet = m_source ? m_source->DataSet() : nullptr;
    if (!dataSet || !dataSet->Active() || m_fieldName.isEmpty())
        return nullptr;
    return dataSet->FindField(m_fieldName);
}

bool TFieldDataLink::CanModify() const {
    const TField* field = Field();
    return field && !field->ReadOnly() && !m_source->ReadOnly() && field->DataSet().CanModify();
}

bool TFieldDataLink::Editing() const {
    const TDataSetState state = m_source ? m_source->State() : TDataSetState::Inactive;
    return state == TDataSetState::Edit || state == TDataSetState::Insert;
}

void TFieldDataLink::Edit() {
    if (!CanModify())
        throw EAbort();
    if (!Editing())
        m_source->DataSet()->Edit();
}

bool TFieldDataLink::AcceptKey(const QKeyEvent* event, bool multiLine) {
    const bool newLine = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool changesText =
        (!event->text().isEmpty() && event->text()[0].isPrint()) || (multiLine && newLine) ||
        event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete ||
        event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo);
    if (!changesText)
        return true;
    if (!CanModify())
        return false;
    return Editing() || Dispatch([this] { Edit(); });
}

void TFieldDataLink::UpdateRecord() {
    if (!m_modified || !Field())
        return;
    if (OnUpdateData)
        OnUpdateData();
    m_modified = false;
}

void TFieldDataLink::DataChanged(const TField* field) {
    if (field && field != Field())
        return;
    if (!m_control->isVisible() && m_control->window()->isVisible()) {
        m_modified = false;
        m_behind = true;
        return;
    }
    Refresh();
}

bool TFieldDataLink::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_control && event->type() == QEvent::Show && m_behind)
        Refresh();
    return false;
}

void TFieldDataLink::StateChanged() {
    if (OnStateChange)
        OnStateChange();
}

void TFieldDataLink::Refresh() {
    m_modified = false;
    m_behind = false;
    if (OnDataChange)
        OnDataChange();
    if (OnStateChange)
        OnStateChange();
}
