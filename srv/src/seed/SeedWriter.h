#pragma once

#include "core/db/SqlStatement.h"

#include <QStringList>
#include <QVariantList>

#include <map>
#include <memory>
#include <vector>

class TDbConnection;

// Inserts rows into one table, values in the order of the columns given.
// With a batch size above 1, rows wait in memory until Flush and go in
// multi-row INSERTs: one round trip per batch instead of per row, which is
// what PostgreSQL needs for bulk loads. The caller flushes parents before
// children, as foreign keys are checked at once.
class TTableWriter {
public:
    // With `skipExisting`, a row whose key is already there is left as it is
    // (shared catalogues that another load may have written).
    TTableWriter(TDbConnection& db, const QString& table, const QStringList& columns,
                 bool skipExisting = false, int batch = 1);
    ~TTableWriter();
    void Row(const QVariantList& values);
    void Flush();
    int Count() const { return m_count; }

private:
    TSqlStatement& Statement(int rows);

    TDbConnection& m_db;
    QString m_table;
    QStringList m_columns;
    bool m_skipExisting;
    int m_batch;
    std::map<int, std::unique_ptr<TSqlStatement>> m_inserts; // by row count
    std::vector<QVariantList> m_pending;
    int m_count = 0;
};

// Text fields: an empty string is stored as NULL.
QVariant Text(const QString& s);
// A small RTF document, as the observation editors save them: one paragraph per
// entry, Windows-1252 with escapes for anything outside it.
QByteArray Rtf(const QStringList& paragraphs);
