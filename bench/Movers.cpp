#include "bench/Movers.h"

#include "core/data/RecordSet.h"
#include "core/layouts/OrcaLayouts.h"
#include "ore/ore00800/model/CalcFields.h"

#include <sqlite3.h>

#include <cmath>
#include <stdexcept>
#include <string>

bool TDigest::SameAs(const TDigest& o) const {
    // Same values summed in the same order give the same sum; the tolerance is
    // only for an engine that would return the rows in another order.
    return rows == o.rows && chars == o.chars &&
           std::abs(sum - o.sum) <= 1e-9 * std::max(1.0, std::abs(sum));
}

namespace {

QString BudgetFilter(const TBudgetKey& key) {
    return QStringLiteral("NRORCAEVENTO = '%1' AND NRSEQORCAEVE = '%2'").arg(key.number, key.seq);
}

std::vector<std::pair<const TField*, bool>> ReadPlan(const TRecordSet& rs) {
    std::vector<std::pair<const TField*, bool>> plan;
    for (int f = 0; f < rs.FieldCount(); ++f) {
        const TField& field = rs.Fields(f);
        plan.emplace_back(&field,
                          field.Kind() == TFieldKind::String || field.Kind() == TFieldKind::Memo);
    }
    return plan;
}

void ReadCurrent(const std::vector<std::pair<const TField*, bool>>& plan, TDigest& d) {
    ++d.rows;
    for (const auto& [field, text] : plan) {
        if (text)
            d.Text(field->AsString());
        else
            d.Number(field->AsFloat());
    }
}

std::unique_ptr<TRecordSet> LoadItems(const TDataPacket& items) {
    auto rs = std::make_unique<TRecordSet>(LayoutItemOrcaEven());
    rs->OnCalcFields = ItemOrcaEvenCalcFields(*rs);
    rs->SetData(items);
    return rs;
}

} // namespace

// ---- record set ----------------------------------------------------------------

TRecordSetMover::TRecordSetMover(const TDataPacket& items) : m_rs(LoadItems(items)) {
    m_plan = ReadPlan(*m_rs);
    m_rs->SetFiltered(true);
}

TRecordSetMover::~TRecordSetMover() = default;

void TRecordSetMover::Move(const TBudgetKey& key, TDigest& d) {
    m_rs->SetFilter(BudgetFilter(key));
    for (m_rs->First(); !m_rs->Eof(); m_rs->Next())
        ReadCurrent(m_plan, d);
}

TRecordSetScanMover::TRecordSetScanMover(const TDataPacket& items) : m_rs(LoadItems(items)) {
    m_plan = ReadPlan(*m_rs);
    m_number = &m_rs->FieldByName(QStringLiteral("NRORCAEVENTO"));
    m_seq = &m_rs->FieldByName(QStringLiteral("NRSEQORCAEVE"));
}

TRecordSetScanMover::~TRecordSetScanMover() = default;

void TRecordSetScanMover::Move(const TBudgetKey& key, TDigest& d) {
    for (m_rs->First(); !m_rs->Eof(); m_rs->Next())
        if (m_number->AsString() == key.number && m_seq->AsString() == key.seq)
            ReadCurrent(m_plan, d);
}

// ---- plain vector --------------------------------------------------------------

TVectorScanMover::TVectorScanMover(const TPlainTable& items) : m_t(items) {
    auto slot = [&](const char* name) {
        return items.Slot(items.FieldIndex(QString::fromLatin1(name)));
    };
    m_number = slot("NRORCAEVENTO");
    m_seq = slot("NRSEQORCAEVE");
    m_qt = slot("QTITEMORCEVE");
    m_vr = slot("VRITEMORCEVE");
    m_desc = slot("VRDESCITOREV");
    m_acre = slot("VRACREITOREV");
}

void TVectorScanMover::Move(const TBudgetKey& key, TDigest& d) const {
    const std::string number = key.number.toStdString();
    const std::string seq = key.seq.toStdString();
    const size_t n = m_t.RowCount();
    const int fields = m_t.FieldCount();
    for (size_t r = 0; r < n; ++r) {
        if (m_t.Text(r, m_number) != number || m_t.Text(r, m_seq) != seq)
            continue;
        ++d.rows;
        for (int f = 0; f < fields; ++f) {
            const int slot = m_t.Slot(f);
            if (slot < 0) {
                d.Number(m_t.Num(r, m_qt) * m_t.Num(r, m_vr) - m_t.Num(r, m_desc) +
                         m_t.Num(r, m_acre));
            } else if (m_t.IsText(f)) {
                const std::string& s = m_t.Text(r, slot);
                d.Text(QString::fromUtf8(s.data(), qsizetype(s.size())));
            } else {
                d.Number(m_t.Num(r, slot));
            }
        }
    }
}

// ---- Qt model and proxy ------------------------------------------------------------

TProxyMover::TProxyMover(const TPlainTable& items)
    : m_model(items), m_proxy(items.FieldIndex(QStringLiteral("NRORCAEVENTO")),
                              items.FieldIndex(QStringLiteral("NRSEQORCAEVE"))) {
    for (int f = 0; f < items.FieldCount(); ++f)
        m_isText.push_back(items.IsText(f));
    m_proxy.setSourceModel(&m_model);
}

void TProxyMover::Move(const TBudgetKey& key, TDigest& d) {
    m_proxy.SetBudget(key.number, key.seq);
    const int rows = m_proxy.rowCount();
    const int columns = int(m_isText.size());
    for (int r = 0; r < rows; ++r) {
        ++d.rows;
        for (int c = 0; c < columns; ++c) {
            const QVariant v = m_proxy.data(m_proxy.index(r, c));
            if (m_isText[size_t(c)])
                d.Text(v.toString());
            else
                d.Number(v.toDouble());
        }
    }
}

// ---- SQLite --------------------------------------------------------------------

TSqliteMover::TSqliteMover(const TPlainTable& items) {
    // One connection used by one thread: no per-call connection mutex, as a
    // single-threaded program would open it.
    if (sqlite3_open_v2(":memory:", &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        Fail("open");
    std::string create = "CREATE TABLE item (", insert = "INSERT INTO item VALUES (",
                select = "SELECT ";
    std::string qt, vr, desc, acre;
    bool firstData = true;
    for (int f = 0; f < items.FieldCount(); ++f) {
        const TFieldDef& def = items.Defs()[size_t(f)];
        const std::string name = def.name.toStdString();
        m_isText.push_back(items.IsText(f));
        if (f > 0)
            select += ", ";
        if (def.calculated) {
            select += "QTITEMORCEVE * VRITEMORCEVE - VRDESCITOREV + VRACREITOREV";
            continue;
        }
        select += name;
        if (!firstData) {
            create += ", ";
            insert += ", ";
        }
        firstData = false;
        create += name + (items.IsText(f) ? " TEXT" : " REAL");
        insert += "?";
    }
    create += ")";
    insert += ")";
    select += " FROM item WHERE NRORCAEVENTO = ?1 AND NRSEQORCAEVE = ?2";
    Exec(create.c_str());

    sqlite3_stmt* ins = nullptr;
    if (sqlite3_prepare_v2(m_db, insert.c_str(), -1, &ins, nullptr) != SQLITE_OK)
        Fail("prepare insert");
    Exec("BEGIN");
    for (size_t r = 0; r < items.RowCount(); ++r) {
        int param = 1;
        for (int f = 0; f < items.FieldCount(); ++f) {
            const int slot = items.Slot(f);
            if (slot < 0)
                continue;
            if (items.IsText(f)) {
                const std::string& s = items.Text(r, slot);
                sqlite3_bind_text(ins, param, s.data(), int(s.size()), SQLITE_STATIC);
            } else if (const double v = items.Num(r, slot);
                       v == 0 && items.Defs()[size_t(f)].kind == TFieldKind::DateTime) {
                sqlite3_bind_null(ins, param);
            } else {
                sqlite3_bind_double(ins, param, v);
            }
            ++param;
        }
        if (sqlite3_step(ins) != SQLITE_DONE)
            Fail("insert");
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    Exec("COMMIT");
    Exec("CREATE INDEX item_budget ON item (NRORCAEVENTO, NRSEQORCAEVE)");

    if (sqlite3_prepare_v2(m_db, select.c_str(), -1, &m_select, nullptr) != SQLITE_OK)
        Fail("prepare select");
    // A baseline that scans would be no baseline at all.
    sqlite3_stmt* plan = nullptr;
    const std::string explain = "EXPLAIN QUERY PLAN " + select;
    if (sqlite3_prepare_v2(m_db, explain.c_str(), -1, &plan, nullptr) != SQLITE_OK)
        Fail("prepare plan");
    std::string detail;
    while (sqlite3_step(plan) == SQLITE_ROW)
        detail += reinterpret_cast<const char*>(sqlite3_column_text(plan, 3));
    sqlite3_finalize(plan);
    if (detail.find("INDEX item_budget") == std::string::npos)
        throw std::runtime_error("SQLite does not use the index: " + detail);
}

TSqliteMover::~TSqliteMover() {
    sqlite3_finalize(m_select);
    sqlite3_close(m_db);
}

void TSqliteMover::Exec(const char* sql) {
    if (sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail(sql);
}

void TSqliteMover::Fail(const char* what) const {
    throw std::runtime_error(std::string("SQLite: ") + what + ": " + sqlite3_errmsg(m_db));
}

size_t TSqliteMover::MemoryBytes() const {
    return size_t(sqlite3_memory_used());
}

void TSqliteMover::Move(const TBudgetKey& key, TDigest& d) {
    // The screen has the key as text; SQLite wants it as UTF-8.
    const QByteArray number = key.number.toUtf8();
    const QByteArray seq = key.seq.toUtf8();
    sqlite3_bind_text(m_select, 1, number.constData(), int(number.size()), SQLITE_STATIC);
    sqlite3_bind_text(m_select, 2, seq.constData(), int(seq.size()), SQLITE_STATIC);
    const int columns = int(m_isText.size());
    int rc;
    while ((rc = sqlite3_step(m_select)) == SQLITE_ROW) {
        ++d.rows;
        for (int c = 0; c < columns; ++c) {
            if (m_isText[size_t(c)]) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_select, c));
                d.Text(QString::fromUtf8(text, sqlite3_column_bytes(m_select, c)));
            } else {
                d.Number(sqlite3_column_double(m_select, c));
            }
        }
    }
    if (rc != SQLITE_DONE)
        Fail("select");
    sqlite3_reset(m_select); // the bound keys die with this call
}
