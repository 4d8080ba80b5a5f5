#include "core/db/SqlStatement.h"

#include "core/data/PacketCodec.h"
#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "core/db/DbError.h"

#include <QSqlError>
#include <QSqlRecord>
#include <QStringEncoder>

#include <string>
#include <string_view>

namespace {

thread_local TStatementWatch* t_watch = nullptr;

bool IsNameChar(QChar ch) {
    const char16_t u = ch.unicode();
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_';
}

QString Excerpt(const QString& sql) {
    QString s = sql.simplified();
    return s.size() > 200 ? s.left(200) + QStringLiteral("…") : s;
}

[[noreturn]] void Fail(const QString& what, const QString& sql, const QString& nativeCode = {}) {
    throw EDbError(QStringLiteral("%1\nComando: %2").arg(what, Excerpt(sql)), nativeCode);
}

bool TextFlag(const QString& s) {
    const QString u = s.trimmed().toUpper();
    return u == u"S" || u == u"T" || u == u"1" || u == u"TRUE";
}

// A text never has more characters than UTF-16 units: most need no count.
void CheckLength(const QString& s, const TFieldDef& def) {
    if (s.size() > def.size && CharacterCount(s) > def.size)
        throw EDbError(QStringLiteral("A coluna %1 trouxe um texto de %2 caracteres; o campo "
                                      "comporta %3: \"%4\"")
                           .arg(def.name)
                           .arg(CharacterCount(s))
                           .arg(def.size)
                           .arg(LeftCharacters(s, 40)));
}

QVariant Convert(const QVariant& v, const TFieldDef& def) {
    if (!v.isValid() || v.isNull())
        return {};
    bool ok = true;
    QVariant out;
    switch (def.kind) {
    case TFieldKind::String: {
        QString s = v.toString();
        CheckLength(s, def);
        out = s;
        break;
    }
    case TFieldKind::Memo:
        out = v.toString();
        break;
    case TFieldKind::Blob:
        out = v.toByteArray();
        break;
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        out = v.toDouble(&ok);
        break;
    case TFieldKind::Integer:
        out = v.toLongLong(&ok);
        break;
    case TFieldKind::Boolean:
        if (v.typeId() == QMetaType::QString)
            out = TextFlag(v.toString());
        else
            out = v.toLongLong(&ok) != 0;
        break;
    }
    if (!ok)
        throw EDbError(QStringLiteral("A coluna %1 trouxe \"%2\", que não é um valor do tipo %3.")
                           .arg(def.name, v.toString(), FieldKindName(def.kind)));
    return out;
}

// Appends one value of a result row to its column. Texts go to UTF-8 through
// one buffer reused for every cell, instead of a QVariant and a QByteArray
// of their own: a large list has millions of them. Other kinds as Convert.
class TCellAppender {
public:
    void Append(TColumn& column, const QVariant& v, const TFieldDef& def) {
        const bool text = def.kind == TFieldKind::String || def.kind == TFieldKind::Memo;
        if (!text || !v.isValid() || v.isNull()) {
            column.Append(Convert(v, def));
            return;
        }
        const QString s = v.toString();
        if (def.kind == TFieldKind::String)
            CheckLength(s, def);
        m_utf8.resize(size_t(s.size()) * 3); // the most UTF-8 a UTF-16 unit takes
        char* end = m_encoder.appendToBuffer(m_utf8.data(), s);
        column.AppendBytes(std::string_view(m_utf8.data(), size_t(end - m_utf8.data())));
    }

private:
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    std::string m_utf8;
};

} // namespace

QStringList SqlPlaceholders(const QString& sql) {
    // Mirrors Qt's own scan, so that the names checked here are the names Qt binds.
    QStringList names;
    QChar closing;
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar ch = sql.at(i);
        if (!closing.isNull()) {
            if (ch == closing)
                closing = QChar();
            continue;
        }
        if (ch == u':' && (i == 0 || sql.at(i - 1) != u':') && i + 1 < n &&
            IsNameChar(sql.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < n && IsNameChar(sql.at(end)))
                ++end;
            const QString name = sql.mid(i + 1, end - i - 1);
            if (!names.contains(name, Qt::CaseInsensitive))
                names.append(name);
            i = end - 1;
        } else if (ch == u'\'' || ch == u'"' || ch == u'`') {
            closing = ch;
        }
    }
    return names;
}

TSqlStatement::TSqlStatement(TDbConnection& db, const QString& sql)
    : m_db(db), m_sql(sql), m_query(db.Database()), m_names(SqlPlaceholders(sql)),
      m_bound(size_t(m_names.size()), false) {
    m_query.setForwardOnly(true);
    if (!m_query.prepare(sql))
        Fail(QStringLiteral("Erro do banco de dados ao preparar o comando: %1")
                 .arg(m_query.lastError().text()),
             sql, m_query.lastError().nativeErrorCode());
}

TSqlStatement::~TSqlStatement() = default;

int TSqlStatement::PlaceholderIndex(const QString& name) const {
    const QString bare = name.startsWith(u':') ? name.mid(1) : name;
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(bare, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TSqlStatement& TSqlStatement::Bind(const QString& name, const QVariant& value) {
    const int i = PlaceholderIndex(name);
    if (i < 0)
        Fail(QStringLiteral("O comando não tem o parâmetro :%1.").arg(name), m_sql);
    return BindAt(i, value);
}

TSqlStatement& TSqlStatement::BindAt(int index, const QVariant& value) {
    if (index < 0 || index >= m_names.size())
        Fail(QStringLiteral("O comando não tem o parâmetro de número %1.").arg(index), m_sql);
    m_query.bindValue(u':' + m_names[index], value);
    m_bound[size_t(index)] = true;
    return *this;
}

TSqlStatement& TSqlStatement::Bind(const TSqlParams& params) {
    for (const auto& [name, value] : params)
        Bind(name, value);
    return *this;
}

void TSqlStatement::Exec() {
    for (size_t i = 0; i < m_bound.size(); ++i)
        if (!m_bound[i])
            Fail(QStringLiteral("O parâmetro :%1 não recebeu valor.").arg(m_names[qsizetype(i)]),
                 m_sql);
    if (t_watch)
        t_watch->m_before(m_sql);
    if (!m_query.exec())
        Fail(QStringLiteral("Erro do banco de dados: %1").arg(m_query.lastError().text()), m_sql,
             m_query.lastError().nativeErrorCode());
}

bool TSqlStatement::Next() {
    return m_query.isActive() && m_query.isSelect() && m_query.next();
}

int TSqlStatement::ColumnIndex(const QString& column) const {
    const QSqlRecord rec = m_query.record();
    for (int i = 0; i < rec.count(); ++i)
        if (rec.fieldName(i).compare(column, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant TSqlStatement::Value(const QString& column) const {
    const int i = ColumnIndex(column);
    if (i < 0)
        Fail(QStringLiteral("O resultado não tem a coluna %1.").arg(column), m_sql);
    return m_query.value(i);
}

std::unique_ptr<TRowStore> TSqlStatement::ReadRows(const TFieldDefs& defs) {
    const TFieldDefs data = DataFieldDefs(defs);
    std::vector<int> columns;
    columns.reserve(data.size());
    for (const TFieldDef& d : data) {
        const int c = ColumnIndex(d.name);
        if (c < 0)
            Fail(QStringLiteral("O resultado não tem a coluna %1.").arg(d.name), m_sql);
        columns.push_back(c);
    }
    auto store = std::make_unique<TRowStore>(data);
    TCellAppender cells;
    while (Next()) {
        for (size_t i = 0; i < data.size(); ++i)
            cells.Append(store->Column(int(i)), m_query.value(columns[i]), data[i]);
        store->CommitRow(TUpdateStatus::Unmodified);
    }
    // Done with the rows: let the engine release what the statement holds.
    m_query.finish();
    return store;
}

TDataPacket TSqlStatement::ReadPacket(const TFieldDefs& defs) {
    return EncodePacket(*ReadRows(defs));
}

void TSqlStatement::ReadInto(TRecordSet& rs) {
    const TFieldDefs defs = rs.FieldDefs();
    if (defs.empty())
        throw EDbError(
            QStringLiteral("O conjunto de registros %1 não declara campos para ler o resultado.")
                .arg(rs.objectName()));
    rs.SetData(ReadPacket(defs));
}

TStatementWatch::TStatementWatch(std::function<void(const QString&)> before)
    : m_before(std::move(before)), m_outer(t_watch) {
    t_watch = this;
}

TStatementWatch::~TStatementWatch() {
    t_watch = m_outer;
}

void ExecSql(TDbConnection& db, const QString& sql, const TSqlParams& params) {
    TSqlStatement st(db, sql);
    st.Exec(params);
}

TDataPacket SelectPacket(TDbConnection& db, const QString& sql, const TSqlParams& params,
                         const TFieldDefs& defs) {
    TSqlStatement st(db, sql);
    st.Exec(params);
    return st.ReadPacket(defs);
}
