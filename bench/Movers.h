#pragma once

#include "bench/BenchData.h"
#include "bench/ItemTableModel.h"

#include <memory>
#include <vector>

class TRecordSet;
class TField;
struct sqlite3;
struct sqlite3_stmt;

// What a screen takes from the rows of one budget. Every way of moving must
// produce the same digest for the same budget, or it did not read the same data.
struct TDigest {
    size_t rows = 0;
    size_t chars = 0;
    double sum = 0;

    void Text(const QString& s) { chars += size_t(s.size()); }
    void Number(double v) { sum += v; }
    bool SameAs(const TDigest& o) const;
};

// Ways of moving to another budget: show the items of `key` and read every
// field of every one of them (texts as QString, numbers as double, the total
// computed as quantity * price - discount + surcharge).

// The record set, filtered on both key fields with its index.
class TRecordSetMover {
public:
    explicit TRecordSetMover(const TDataPacket& items);
    ~TRecordSetMover();
    void Move(const TBudgetKey& key, TDigest& d);
    TRecordSet& RecordSet() { return *m_rs; }

private:
    std::unique_ptr<TRecordSet> m_rs;
    std::vector<std::pair<const TField*, bool>> m_plan; // field, read as text
};

// The same record set unfiltered, walking every row and comparing the keys.
class TRecordSetScanMover {
public:
    explicit TRecordSetScanMover(const TDataPacket& items);
    ~TRecordSetScanMover();
    void Move(const TBudgetKey& key, TDigest& d);

private:
    std::unique_ptr<TRecordSet> m_rs;
    std::vector<std::pair<const TField*, bool>> m_plan;
    const TField* m_number = nullptr;
    const TField* m_seq = nullptr;
};

// Plain rows in a std::vector, compared row by row.
class TVectorScanMover {
public:
    explicit TVectorScanMover(const TPlainTable& items);
    void Move(const TBudgetKey& key, TDigest& d) const;

private:
    const TPlainTable& m_t;
    int m_number, m_seq; // text slots of the keys
    int m_qt, m_vr, m_desc, m_acre;
};

// A QSortFilterProxyModel over a table model holding the rows.
class TProxyMover {
public:
    explicit TProxyMover(const TPlainTable& items);
    void Move(const TBudgetKey& key, TDigest& d);

private:
    TItemTableModel m_model;
    TBudgetFilterProxy m_proxy;
    std::vector<bool> m_isText;
};

// SQLite in memory, an index on both keys, one prepared SELECT reused.
class TSqliteMover {
public:
    explicit TSqliteMover(const TPlainTable& items);
    ~TSqliteMover();
    TSqliteMover(const TSqliteMover&) = delete;
    TSqliteMover& operator=(const TSqliteMover&) = delete;
    void Move(const TBudgetKey& key, TDigest& d);
    size_t MemoryBytes() const; // what SQLite holds, for comparison

private:
    void Exec(const char* sql);
    [[noreturn]] void Fail(const char* what) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_select = nullptr;
    std::vector<bool> m_isText;
};
