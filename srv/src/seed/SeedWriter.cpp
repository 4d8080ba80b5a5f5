#include "seed/SeedWriter.h"

#include "core/db/DbError.h"

TTableWriter::TTableWriter(TDbConnection& db, const QString& table, const QStringList& columns,
                           bool skipExisting, int batch)
    : m_db(db), m_table(table), m_columns(columns), m_skipExisting(skipExisting),
      m_batch(qMax(1, batch)) {
    Statement(1); // a typo in a column name shows at once, not at the first flush
}

TTableWriter::~TTableWriter() = default;

TSqlStatement& TTableWriter::Statement(int rows) {
    auto& st = m_inserts[rows];
    if (!st) {
        // Placeholders run row by row, column by column: BindAt's order.
        QStringList tuples;
        for (int r = 0; r < rows; ++r) {
            QStringList params;
            for (const QString& c : m_columns)
                params << QStringLiteral(":%1_%2").arg(c).arg(r);
            tuples << u'(' + params.join(QStringLiteral(", ")) + u')';
        }
        QString sql = QStringLiteral("INSERT INTO %1 (%2) VALUES %3")
                          .arg(m_table, m_columns.join(QStringLiteral(", ")),
                               tuples.join(QStringLiteral(", ")));
        if (m_skipExisting)
            sql += QStringLiteral(" ON CONFLICT DO NOTHING");
        st = std::make_unique<TSqlStatement>(m_db, sql);
    }
    return *st;
}

void TTableWriter::Row(const QVariantList& values) {
    if (values.size() != m_columns.size())
        throw EDbError(QStringLiteral("Linha de %1 com %2 valores para %3 colunas.")
                           .arg(m_table)
                           .arg(values.size())
                           .arg(m_columns.size()));
    m_pending.push_back(values);
    ++m_count;
    if (m_batch == 1)
        Flush();
}

void TTableWriter::Flush() {
    const int columns = int(m_columns.size());
    size_t done = 0;
    while (done < m_pending.size()) {
        const int rows = int(qMin(size_t(m_batch), m_pending.size() - done));
        TSqlStatement& st = Statement(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                st.BindAt(r * columns + c, m_pending[done + size_t(r)][c]);
        st.Exec();
        done += size_t(rows);
    }
    m_pending.clear();
}

QVariant Text(const QString& s) {
    return s.isEmpty() ? QVariant() : QVariant(s);
}

QByteArray Rtf(const QStringList& paragraphs) {
    QByteArray out =
        "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1046{\\fonttbl{\\f0\\fswiss\\fcharset0 "
        "Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ";
    for (qsizetype p = 0; p < paragraphs.size(); ++p) {
        if (p > 0)
            out += "\\par\r\n";
        for (const QChar ch : paragraphs[p]) {
            const char16_t u = ch.unicode();
            if (u == '\\' || u == '{' || u == '}') {
                out += '\\';
                out += char(u);
            } else if (u < 0x80) {
                out += char(u);
            } else if (u <= 0xff) {
                out += "\\'" + QByteArray::number(u, 16).rightJustified(2, '0');
            } else {
                out += "\\u" + QByteArray::number(qint16(u)) + '?';
            }
        }
    }
    out += "\\par\r\n}\r\n";
    return out;
}
