#include "core/data/DataSource.h"

#include "core/data/DataSet.h"

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

TDataSource::~TDataSource() {
    SetDataSet(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->RemoveSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->AddSource(this);
    emit stateChanged();
    emit dataChanged(nullptr);
}

TDataSetState TDataSource::State() const {
    return m_dataSet ? m_dataSet->State() : TDataSetState::Inactive;
}

void TDataSource::SetReadOnly(bool on) {
    if (on == m_readOnly)
        return;
    m_readOnly = on;
    emit stateChanged();
}

void TDataSource::NotifyStateChanged() {
    if (OnStateChange)
        OnStateChange(*this);
    emit stateChanged();
}

void TDataSource::NotifyDataChanged(const TField* field) {
    if (OnDataChange)
        OnDataChange(*this, field);
    emit dataChanged(field);
}
