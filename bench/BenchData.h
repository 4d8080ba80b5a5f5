#pragma once

#include "core/data/DataPacket.h"
#include "core/data/FieldDef.h"

#include <QString>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

// Deterministic test data shaped like a large branch: budgets, their items and
// their labour, as plain rows (what the baselines load) and as the record-set
// packets the server would send.

// Small deterministic generator (splitmix64), so that the data does not depend
// on the standard library's distributions.
class TBenchRng {
public:
    explicit TBenchRng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next();
    int Int(int lo, int hi); // inclusive
    double Real();           // [0, 1)
    double Real(double lo, double hi) { return lo + (hi - lo) * Real(); }
    bool Chance(double p) { return Real() < p; }

private:
    std::uint64_t m_state;
};

// Rows kept row by row in flat vectors: field f of row r is text[r * TextCount()
// + Slot(f)] or num[r * NumCount() + Slot(f)]. Calculated fields have no slot.
// A DateTime of 0 means no date and goes into packets, tables and JSON as null.
class TPlainTable {
public:
    explicit TPlainTable(TFieldDefs defs);

    const TFieldDefs& Defs() const { return m_defs; }
    int FieldCount() const { return int(m_defs.size()); }
    bool IsText(int field) const { return m_isText[size_t(field)]; }
    int Slot(int field) const { return m_slot[size_t(field)]; } // -1 for calculated
    int FieldIndex(const QString& name) const;                  // -1 when absent
    int TextCount() const { return m_textCount; }
    int NumCount() const { return m_numCount; }
    size_t RowCount() const { return m_rows; }

    const std::string& Text(size_t row, int slot) const {
        return m_text[row * size_t(m_textCount) + size_t(slot)];
    }
    double Num(size_t row, int slot) const {
        return m_num[row * size_t(m_numCount) + size_t(slot)];
    }

    void Reserve(size_t rows);
    // Appends an empty row and returns its number; fill it with Set.
    size_t AddRow();
    void Set(size_t row, const char* field, std::string v);
    void Set(size_t row, const char* field, double v);

private:
    int CheckedField(const char* name, bool text) const;

    TFieldDefs m_defs;
    mutable std::unordered_map<const char*, int> m_byName; // Set's names are literals
    std::vector<bool> m_isText;
    std::vector<int> m_slot;
    int m_textCount = 0;
    int m_numCount = 0;
    size_t m_rows = 0;
    std::vector<std::string> m_text;
    std::vector<double> m_num;
};

// A budget as the item and labour record sets are filtered by it.
struct TBudgetKey {
    QString number; // NRORCAEVENTO
    QString seq;    // NRSEQORCAEVE
};

struct TBranchData {
    std::vector<TBudgetKey> keys; // every (budget, sequence) pair, in key order
    TPlainTable items;
    TPlainTable labour;
    TDataPacket itemPacket;
    TDataPacket labourPacket;
    double itemBuildSeconds = 0; // appending and posting the rows, merging, taking the packet
    double labourBuildSeconds = 0;
};

struct TBranchSize {
    int budgets = 20000;
    double childShare = 0.2; // budgets that also have sequence "01"
    size_t items = 400000;
    size_t labour = 100000;
};

// Builds the plain rows, then the packets by appending every row to a record set,
// merging its change log and taking its data. Same seed, same data.
TBranchData GenerateBranch(const TBranchSize& size = {}, std::uint64_t seed = 20240611);

// Converts a plain table into a record-set packet the slow, public way.
TDataPacket PacketFromPlain(const TPlainTable& table);
