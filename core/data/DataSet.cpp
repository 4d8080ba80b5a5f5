#include "core/data/DataSet.h"

#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"

#include <algorithm>

TDataSet::TDataSet(const TFieldDefs& defs, QObject* parent) : QObject(parent) {
    m_fields.reserve(defs.size());
    for (const auto& d : defs)
        m_fields.push_back(std::make_unique<TField>(*this, int(m_fields.size()), d));
}

TDataSet::~TDataSet() {
    for (auto* s : m_sources)
        s->Detach();
}

TField* TDataSet::FindField(const QString& name) const {
    for (const auto& f : m_fields)
        if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

TField& TDataSet::FieldByName(const QString& name) const {
    if (auto* f = FindField(name))
        return *f;
    throw EDatabaseError(
        QStringLiteral("%1: campo \"%2\" não encontrado.")
            .arg(objectName().isEmpty() ? QStringLiteral("Conjunto de dados") : objectName(),
                 name));
}

TFieldDefs TDataSet::FieldDefs() const {
    TFieldDefs defs;
    defs.reserve(m_fields.size());
    for (const auto& f : m_fields)
        defs.push_back(f->Def());
    return defs;
}

void TDataSet::ReadRow(int recNo, const std::function<void()>& fn) {
    CheckActive();
    if (recNo < 1 || recNo > RecordCount())
        throw EDatabaseError(
            QStringLiteral("%1: registro %2 fora do intervalo.").arg(objectName()).arg(recNo));
    SetActiveRecNo(recNo);
    struct Restore {
        TDataSet* ds;
        ~Restore() { ds->SetActiveRecNo(0); }
    } restore{this};
    fn();
}

void TDataSet::SetState(TDataSetState state) {
    if (state == m_state)
        return;
    m_state = state;
    const auto sources = m_sources; // a handler may detach a source
    for (auto* s : sources)
        s->NotifyStateChanged();
}

void TDataSet::EnableControls() {
    if (m_controlsDisabled == 0 || --m_controlsDisabled > 0 || !m_changedMeanwhile)
        return;
    m_changedMeanwhile = false;
    NotifyDataChanged();
}

void TDataSet::NotifyDataChanged(const TField* field) {
    if (m_controlsDisabled > 0) {
        m_changedMeanwhile = true;
        return;
    }
    const auto sources = m_sources;
    for (auto* s : sources)
        s->NotifyDataChanged(field);
}

void TDataSet::NotifyUpdateRecord() {
    const auto sources = m_sources;
    for (auto* s : sources)
        emit s->updateRecord();
}

void TDataSet::CheckActive() const {
    if (m_state == TDataSetState::Inactive)
        throw EDatabaseError(
            QStringLiteral("%1: operação não permitida num conjunto de dados fechado.")
                .arg(objectName()));
}

void TDataSet::CheckEditing() const {
    if (m_state != TDataSetState::Edit && m_state != TDataSetState::Insert &&
        m_state != TDataSetState::CalcFields)
        throw EDatabaseError(
            QStringLiteral("%1: o conjunto de dados não está em modo de edição ou inserção.")
                .arg(objectName()));
}

void TDataSet::AddSource(TDataSource* source) {
    m_sources.push_back(source);
}

void TDataSet::RemoveSource(TDataSource* source) {
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), source), m_sources.end());
}
