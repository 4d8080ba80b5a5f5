#pragma once

#include "core/data/DataPacket.h"
#include "core/data/Field.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class TDataSource;

enum class TDataSetState { Inactive, Browse, Edit, Insert, CalcFields };

// A data set: named, typed fields over rows, a current row, states and events.
// Events are plain synchronous callbacks: whatever they throw reaches the
// caller of the operation that ran them.
class TDataSet : public QObject {
    Q_OBJECT
public:
    using Event = std::function<void(TDataSet&)>;

    explicit TDataSet(const TFieldDefs& defs = {}, QObject* parent = nullptr);
    ~TDataSet() override;

    // Fields.
    int FieldCount() const { return int(m_fields.size()); }
    TField& Fields(int i) const { return *m_fields.at(size_t(i)); }
    TField* FindField(const QString& name) const;   // case-insensitive; null when absent
    TField& FieldByName(const QString& name) const; // throws EDatabaseError when absent
    TFieldDefs FieldDefs() const;

    // State.
    TDataSetState State() const { return m_state; }
    bool Active() const { return m_state != TDataSetState::Inactive; }
    // Whether rows can be edited at all (a query's rows cannot).
    virtual bool CanModify() const { return Active(); }

    // Navigation over the visible rows (those that pass the filter).
    virtual void First() = 0;
    virtual void Last() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
    virtual void MoveBy(int distance) = 0;
    virtual bool Eof() const = 0;
    virtual bool Bof() const = 0;
    virtual int RecNo() const = 0; // 1-based; 0 when there is no current row
    virtual void SetRecNo(int recNo) = 0;
    virtual int RecordCount() const = 0; // visible rows; 0 when closed
    bool IsEmpty() const { return RecordCount() == 0; }

    // Editing.
    virtual void Edit() = 0;
    virtual void Insert() = 0;
    virtual void Append() = 0;
    virtual void Post() = 0;
    virtual void Cancel() = 0;
    virtual void Delete() = 0;
    virtual int ChangeCount() const = 0;
    virtual TUpdateStatus UpdateStatus() const = 0;

    virtual void Close() = 0;

    // Filter: `FIELD = 'value'` conditions joined by ` AND `.
    virtual QString Filter() const = 0;
    virtual void SetFilter(const QString& text) = 0;
    virtual bool Filtered() const = 0;
    virtual void SetFiltered(bool on) = 0;

    // Data packets: load whole, take whole with pending changes.
    virtual void SetData(const TDataPacket& packet) = 0;
    virtual TDataPacket Data() const = 0;

    // Reads a visible row other than the current one (grids, lists) without
    // moving: `fn` runs with the fields reading row `recNo` (1-based).
    void ReadRow(int recNo, const std::function<void()>& fn);

    // Controls bound to the data set hear nothing of its data between
    // DisableControls and the matching EnableControls, which then tells them
    // once that everything may have changed: a change made in several steps
    // (a filter switched off, set and on again) is shown once, as it ends.
    // State changes still reach them.
    void DisableControls() { ++m_controlsDisabled; }
    void EnableControls();

    // Events.
    Event AfterOpen;
    Event AfterScroll;
    Event AfterPost;
    Event AfterCancel;
    Event OnCalcFields;

protected:
    friend class TField;
    friend class TDataSource;

    // Storage hooks for the active row (the current row, or the row ReadRow reads).
    virtual QVariant FieldValue(int field) const = 0;
    virtual void SetFieldValue(int field, const QVariant& v) = 0;
    virtual bool FieldIsNull(int field) const = 0;
    virtual QString FieldString(int field) const = 0;
    virtual double FieldDouble(int field) const = 0;
    // ReadRow support: make `recNo` the active row, or back to the current row with 0.
    virtual void SetActiveRecNo(int recNo) = 0;

    void SetState(TDataSetState state);
    void NotifyDataChanged(const TField* field = nullptr);
    // Before a post: controls write what the operator is still typing.
    void NotifyUpdateRecord();
    void CheckActive() const;
    void CheckEditing() const;

    std::vector<std::unique_ptr<TField>> m_fields;
    TDataSetState m_state = TDataSetState::Inactive;

private:
    void AddSource(TDataSource* source);
    void RemoveSource(TDataSource* source);
    std::vector<TDataSource*> m_sources;
    int m_controlsDisabled = 0;
    bool m_changedMeanwhile = false;
};

// Controls disabled for a scope.
class TControlsDisabled {
public:
    explicit TControlsDisabled(TDataSet& dataSet) : m_dataSet(dataSet) {
        m_dataSet.DisableControls();
    }
    ~TControlsDisabled() { m_dataSet.EnableControls(); }
    TControlsDisabled(const TControlsDisabled&) = delete;
    TControlsDisabled& operator=(const TControlsDisabled&) = delete;

private:
    TDataSet& m_dataSet;
};
