#pragma once

#include "core/data/DataSet.h"
#include "core/data/FilterExpression.h"
#include "core/data/RowStore.h"

#include <QStringList>

#include <optional>
#include <span>
#include <string>
#include <unordered_map>

// The in-memory client record set. Rows are loaded whole from a data packet
// and taken back whole with their pending changes. Rows are kept column by
// column; edits live in an overlay until the next load.
class TRecordSet : public TDataSet {
    Q_OBJECT
public:
    explicit TRecordSet(const TFieldDefs& defs = {}, QObject* parent = nullptr);
    ~TRecordSet() override;

    // Opens an empty record set with the declared fields.
    void CreateDataSet();

    void First() override;
    void Last() override;
    void Next() override;
    void Prior() override;
    void MoveBy(int distance) override;
    bool Eof() const override { return m_eof; }
    bool Bof() const override { return m_bof; }
    int RecNo() const override;
    void SetRecNo(int recNo) override;
    int RecordCount() const override;

    void Edit() override;
    void Insert() override;
    void Append() override;
    void Post() override;
    void Cancel() override;
    void Delete() override;
    int ChangeCount() const override { return m_store ? m_store->ChangeCount() : 0; }
    TUpdateStatus UpdateStatus() const override;

    void Close() override;

    QString Filter() const override { return m_filterText; }
    void SetFilter(const QString& text) override;
    bool Filtered() const override { return m_filtered; }
    void SetFiltered(bool on) override;

    void SetData(const TDataPacket& packet) override;
    // Loads packets[i] into *sets[i], as SetData one after the other would,
    // but decodes every packet first, large ones side by side on the
    // machine's cores (LoadPackets.cpp): a packet that does not decode
    // throws before any record set has changed.
    static void SetDataAll(std::span<TRecordSet* const> sets, std::span<const TDataPacket> packets);
    TDataPacket Data() const override;
    // Copies every row of `source` (whatever its filter) with its change states.
    void CopyDataFrom(const TRecordSet& source);
    // Makes the pending changes part of the data: edited and inserted rows
    // become unchanged rows, deleted rows go. The current row stays current.
    void MergeChangeLog();

    // Bytes held by the rows (columns, text, overlay), for measurements.
    size_t MemoryBytes() const;

protected:
    // Shows the rows of `store`, whose layout is this record set's data
    // fields: a reload is a close and an open.
    void Open(std::unique_ptr<TRowStore> store);
    // The layout a packet is decoded to for this record set: its data
    // fields, or none when the packet brings its own.
    TFieldDefs PacketTarget() const;
    // Opens a store decoded to PacketTarget(), taking its fields first when
    // the packet brought them.
    void Load(std::unique_ptr<TRowStore> store);

    QVariant FieldValue(int field) const override;
    void SetFieldValue(int field, const QVariant& v) override;
    bool FieldIsNull(int field) const override;
    QString FieldString(int field) const override;
    double FieldDouble(int field) const override;
    void SetActiveRecNo(int recNo) override;

private:
    struct FilterIndex {
        std::unordered_map<std::string, std::vector<quint32>> buckets;
    };

    void MapColumns();
    void ResolveFilter(const QString& text, const TFieldDefs& defs);
    void ResolveFilter(const QString& text, size_t fieldCount,
                       const std::function<const TFieldDef&(size_t)>& defAt);
    bool FilterKey(std::string& key) const;
    void ApplyFilterText(const QString& text);
    void Refilter();
    void RebuildView();
    void InvalidateIndexes();
    bool IndexedColumnChanged(quint32 row, const std::vector<QVariant>& values) const;
    std::string IndexKey(quint32 row, const std::vector<int>& columns);
    void CheckBrowseMode(); // posts or cancels a pending edit before a move
    void MoveTo(int pos, bool scrolled);
    void StartInsert(int pos);
    quint32 ActiveRow() const;
    bool HasActiveRow() const;
    bool ReadsBuffer() const;
    bool ReadsBufferState() const;
    const QVariant& CalcValue(int field) const;
    int DataColumn(int field) const { return m_dataColumn[size_t(field)]; }

    std::unique_ptr<TRowStore> m_store;
    std::vector<int> m_dataColumn; // field index -> column in the store, -1 for calculated
    std::vector<int> m_calcFields; // indexes of the calculated fields

    // View: visible rows in order, pointing into the store's order or a filter bucket.
    std::span<const quint32> m_view;
    int m_pos = -1;
    bool m_eof = true;
    bool m_bof = true;

    QString m_filterText;
    bool m_filtered = false;
    std::vector<int> m_filterColumns;       // data columns the filter compares
    std::vector<QByteArray> m_filterValues; // UTF-8, one per column
    QStringList m_filterFieldNames;         // as written, to spot a filter on the same fields
    FilterIndex* m_currentIndex = nullptr;  // the index of m_filterColumns, once found
    std::string m_keyScratch;
    std::unordered_map<std::string, FilterIndex> m_indexes; // by column list

    bool m_dynamicFields = false; // no declared fields: a packet brings its own
    // Edit or insert buffer of the current row.
    std::vector<QVariant> m_buffer;
    int m_insertPos = -1;
    bool m_modified = false;

    // Calculated values of one row, computed on demand.
    mutable std::vector<QVariant> m_calc;
    mutable qint64 m_calcRow = -1;
    mutable bool m_calcRunning = false;

    // ReadRow: the row the fields read, when not the current one.
    qint64 m_readRow = -1;
};
