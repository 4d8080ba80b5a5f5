#pragma once

// What every harness needs: the fuzzer's bytes as Qt values, and the sample
// record set the data harnesses and the seeds share.

#include "core/data/RecordSet.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace Fuzz {

inline QByteArray Bytes(const uint8_t* data, size_t size) {
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Invalid UTF-8 becomes replacement characters, as on every path into a QString.
inline QString Text(const uint8_t* data, size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A broken promise that sanitizers would not see: stop as a crash does, so
// that libFuzzer keeps the input.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

// A budget list as the closing screen holds it: every field kind, text with
// quotes, blanks and non-ASCII, nulls.
inline TFieldDefs BudgetDefs() {
    return {StrField(QStringLiteral("CDFILIAL"), 4),
            StrField(QStringLiteral("NRORCAEVENTO"), 10),
            StrField(QStringLiteral("NRSEQORCAEVE"), 2).Fixed(),
            StrField(QStringLiteral("NMCLIENTE"), 40),
            FloatField(QStringLiteral("VRTOTORCA")),
            DateField(QStringLiteral("DTEVENTO")),
            IntField(QStringLiteral("QTCONVIDADOS")),
            BoolField(QStringLiteral("IDMARCADO")),
            MemoField(QStringLiteral("DSOBSERV")),
            BlobField(QStringLiteral("TXANEXO"))};
}

// Opens `rs` empty and appends one row per list of values, in field order.
inline void Fill(TRecordSet& rs, const std::vector<QVariantList>& rows) {
    rs.CreateDataSet();
    for (const QVariantList& row : rows) {
        rs.Append();
        for (int i = 0; i < row.size(); ++i)
            rs.Fields(i).SetValue(row[i]);
        rs.Post();
    }
}

inline void FillBudgets(TRecordSet& rs) {
    Fill(rs, {
                 {"0001", "0000001001", "00", "Buffet O'Brien", 12500.5, 46023.75, 120, true,
                  "linha 1\nlinha 2", QByteArray("a\0b", 3)},
                 {"0001", "0000001002", "01", "Café São João", -0.005, 0.0, QVariant(), false,
                  QVariant(), QByteArray()},
                 {"0002", "0000001003", "00", QVariant(), 1e300, 45292.5, -9, QVariant(), "",
                  QVariant()},
             });
}

} // namespace Fuzz
