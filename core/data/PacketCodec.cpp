#include "core/data/PacketCodec.h"

#include "core/data/CborBytes.h"
#include "core/data/Exceptions.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

constexpr std::string_view kKind = "recordset";
constexpr std::array<std::string_view, 4> kKeys = {"kind", "version", "fields", "rows"};
enum FieldFlag : int { FlagFixed = 1, FlagNoUpdate = 2 };

// ---- writing ---------------------------------------------------------------

void WriteCell(TCborWriter& w, const TColumn& col, quint32 row) {
    if (col.IsNull(row)) {
        w.Null();
        return;
    }
    switch (col.Kind()) {
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        w.Double(col.Double(row));
        break;
    case TFieldKind::Integer:
        w.Int(col.Int(row));
        break;
    case TFieldKind::Boolean:
        w.Bool(col.Int(row) != 0);
        break;
    case TFieldKind::Blob:
        w.Bytes(col.Bytes(row));
        break;
    case TFieldKind::String:
    case TFieldKind::Memo:
        w.Text(col.Bytes(row));
        break;
    }
}

// A value as a column of `kind` would hold it and WriteCell write it.
void WriteValue(TCborWriter& w, TFieldKind kind, const QVariant& v) {
    if (!v.isValid() || v.isNull()) {
        w.Null();
        return;
    }
    switch (kind) {
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        w.Double(v.toDouble());
        break;
    case TFieldKind::Integer:
        w.Int(v.toLongLong());
        break;
    case TFieldKind::Boolean:
        w.Bool(v.toBool());
        break;
    case TFieldKind::Blob: {
        const QByteArray b = v.toByteArray();
        w.Bytes(std::string_view(b.constData(), size_t(b.size())));
        break;
    }
    case TFieldKind::String:
    case TFieldKind::Memo: {
        const QByteArray b = v.toString().toUtf8();
        w.Text(std::string_view(b.constData(), size_t(b.size())));
        break;
    }
    }
}

void WriteRow(TCborWriter& w, const TRowStore& store, quint32 row) {
    const int n = store.ColumnCount();
    const TUpdateStatus status = store.Status(row);
    // A deleted row travels with its values as loaded, so that it can be found.
    const auto* overlay = status == TUpdateStatus::Deleted ? nullptr : store.Overlay(row);
    const bool modified = status == TUpdateStatus::Modified;
    w.Array(quint64(n + 1 + (modified ? 1 : 0)));
    w.Int(int(status));
    for (int c = 0; c < n; ++c) {
        if (overlay)
            WriteValue(w, store.Column(c).Kind(), (*overlay)[size_t(c)]);
        else
            WriteCell(w, store.Column(c), row);
    }
    if (modified) { // the values as loaded, so that the row can be found
        w.Array(quint64(n));
        for (int c = 0; c < n; ++c)
            WriteCell(w, store.Column(c), row);
    }
}

// ---- reading ---------------------------------------------------------------

QString Utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

// Reads a packet straight into the columns of a new store. Where it is (row,
// field) is kept in plain variables; messages are only built on failure.
class Reader {
public:
    Reader(const QByteArray& bytes, const TFieldDefs& target)
        : m_c(bytes.constData(), bytes.size()), m_target(target) {}

    std::unique_ptr<TRowStore> Run() {
        try {
            ReadPacket();
        } catch (const TCborCursor::Error& e) {
            Fail(Where(QString::fromUtf8(e.what)));
        }
        return std::move(m_store);
    }

private:
    [[noreturn]] static void Fail(const QString& why) {
        throw EPacketError(QStringLiteral("Pacote de dados inválido: %1.").arg(why));
    }

    QString Where(const QString& what) const {
        if (what == u"truncado")
            return QStringLiteral("pacote truncado");
        if (m_row == 0)
            return what;
        if (m_field < 0)
            return QStringLiteral("%1 na linha %2").arg(what).arg(m_row);
        return QStringLiteral("%1 no campo %2 da linha %3")
            .arg(what, m_store->Defs()[size_t(m_columnOf[size_t(m_field)])].name)
            .arg(m_row);
    }

    void ReadPacket() {
        if (m_c.Map() != kKeys.size())
            Fail(QStringLiteral(
                "faltam chaves ou há chaves a mais: esperadas \"kind\", \"version\", "
                "\"fields\" e \"rows\", nesta ordem"));
        for (std::string_view key : kKeys)
            if (m_c.Text() != key)
                Fail(QStringLiteral("esperada a chave \"%1\"").arg(Utf8(key)));
            else if (key == "kind")
                ReadKind();
            else if (key == "version")
                ReadVersion();
            else if (key == "fields")
                ReadFields();
            else
                ReadRows();
        if (!m_c.AtEnd())
            Fail(QStringLiteral("dados a mais depois do pacote"));
    }

    void ReadKind() {
        const std::string_view kind = m_c.Text();
        if (kind != kKind)
            Fail(QStringLiteral("tipo \"%1\", esperado \"%2\"").arg(Utf8(kind), Utf8(kKind)));
    }

    void ReadVersion() {
        const qint64 version = m_c.Integer();
        if (version != TDataPacket::Version)
            Fail(QStringLiteral("versão %1 não suportada (esperada %2)")
                     .arg(version)
                     .arg(TDataPacket::Version));
    }

    void ReadFields() {
        const quint64 count = m_c.Array();
        TFieldDefs packetDefs;
        for (quint64 i = 0; i < count; ++i) {
            if (m_c.Array() != 4)
                Fail(QStringLiteral("a definição do campo %1 não tem quatro elementos").arg(i + 1));
            TFieldDef d;
            d.name = Utf8(m_c.Text());
            const QString kindName = Utf8(m_c.Text());
            bool known = false;
            for (auto k :
                 {TFieldKind::String, TFieldKind::Float, TFieldKind::DateTime, TFieldKind::Blob,
                  TFieldKind::Memo, TFieldKind::Integer, TFieldKind::Boolean})
                if (FieldKindName(k) == kindName) {
                    d.kind = k;
                    known = true;
                }
            if (!known)
                Fail(QStringLiteral("tipo \"%1\" desconhecido no campo %2").arg(kindName, d.name));
            const qint64 size = m_c.Integer();
            if (size < 0 || size > 1 << 20)
                Fail(QStringLiteral("tamanho %1 inválido no campo %2").arg(size).arg(d.name));
            d.size = int(size);
            const qint64 flags = m_c.Integer();
            d.fixed = flags & FlagFixed;
            d.update = !(flags & FlagNoUpdate);
            packetDefs.push_back(std::move(d));
        }
        MapFields(packetDefs);
    }

    // Decides which column of the store each packet field fills.
    void MapFields(const TFieldDefs& packetDefs) {
        const TFieldDefs& defs = m_target.empty() ? packetDefs : m_target;
        m_columnOf.assign(packetDefs.size(), -1);
        std::vector<bool> seen(defs.size(), false);
        for (size_t j = 0; j < packetDefs.size(); ++j) {
            const auto& pd = packetDefs[j];
            const auto it = std::find_if(defs.begin(), defs.end(), [&](const TFieldDef& d) {
                return d.name.compare(pd.name, Qt::CaseInsensitive) == 0;
            });
            if (it == defs.end())
                Fail(QStringLiteral("o campo %1 não pertence a este conjunto de dados")
                         .arg(pd.name));
            const size_t c = size_t(it - defs.begin());
            if (seen[c])
                Fail(QStringLiteral("o campo %1 aparece duas vezes").arg(pd.name));
            if (it->kind != pd.kind)
                Fail(QStringLiteral("o campo %1 é %2 no pacote e %3 no conjunto de dados")
                         .arg(pd.name, FieldKindName(pd.kind), FieldKindName(it->kind)));
            seen[c] = true;
            m_columnOf[j] = int(c);
        }
        for (size_t i = 0; i < defs.size(); ++i)
            if (!seen[i])
                Fail(QStringLiteral("falta o campo %1").arg(defs[i].name));
        m_store = std::make_unique<TRowStore>(defs);
        for (size_t j = 0; j < packetDefs.size(); ++j)
            m_cells.push_back(
                {&m_store->Column(m_columnOf[j]), &m_store->Defs()[size_t(m_columnOf[j])]});
    }

    void ReadRows() {
        const quint64 count = m_c.Array();
        // Each row takes at least two bytes: a sane bound before reserving.
        m_store->Reserve(size_t(std::min<quint64>(count, quint64(m_c.Remaining()) / 2)));
        const quint64 n = m_cells.size();
        for (quint64 r = 0; r < count; ++r) {
            m_row = r + 1;
            m_field = -1;
            const quint64 length = m_c.Array();
            const qint64 status = m_c.Integer();
            if (status < 0 || status > int(TUpdateStatus::Deleted))
                Fail(QStringLiteral("estado %1 desconhecido na linha %2").arg(status).arg(m_row));
            const bool modified = status == int(TUpdateStatus::Modified);
            const quint64 expected = n + 1 + (modified ? 1 : 0);
            if (length != expected)
                Fail(QStringLiteral("a linha %1 tem valores %2")
                         .arg(m_row)
                         .arg(length < expected ? QLatin1StringView("de menos")
                                                : QLatin1StringView("a mais")));
            if (modified) {
                ReadModifiedRow();
            } else {
                for (size_t j = 0; j < n; ++j)
                    ReadCell(j, *m_cells[j].column);
                m_store->CommitRow(TUpdateStatus(status));
            }
        }
        m_row = 0;
    }

    // A modified row: current values, then the values as loaded.
    void ReadModifiedRow() {
        const size_t n = m_cells.size();
        std::vector<QVariant> current(n);
        for (size_t j = 0; j < n; ++j) {
            TColumn one(m_cells[j].column->Kind());
            ReadCell(j, one);
            current[size_t(m_columnOf[j])] = one.Value(0);
        }
        m_field = -1;
        if (m_c.Array() != n)
            Fail(QStringLiteral("a linha alterada %1 não traz os valores originais").arg(m_row));
        for (size_t j = 0; j < n; ++j)
            ReadCell(j, *m_cells[j].column);
        const quint32 row = m_store->CommitRow(TUpdateStatus::Modified);
        m_store->SetOverlay(row, std::move(current));
    }

    void ReadCell(size_t j, TColumn& col) {
        m_field = int(j);
        if (m_c.IsNull()) {
            m_c.SkipNull();
            col.AppendNull();
            return;
        }
        const TFieldDef& def = *m_cells[j].def;
        try {
            switch (def.kind) {
            case TFieldKind::Float:
            case TFieldKind::DateTime:
                col.AppendDouble(m_c.Number());
                return;
            case TFieldKind::Integer:
                col.AppendInt(m_c.Integer());
                return;
            case TFieldKind::Boolean:
                col.AppendInt(m_c.Boolean() ? 1 : 0);
                return;
            case TFieldKind::Blob:
                col.AppendBytes(m_c.ByteString());
                return;
            case TFieldKind::Memo:
                col.AppendBytes(m_c.Text());
                return;
            case TFieldKind::String:
                AppendString(col, def, m_c.Text());
                return;
            }
        } catch (const TCborCursor::Error& e) {
            if (std::string_view(e.what) == "tipo errado")
                Fail(Where(QStringLiteral("valor de tipo errado")));
            throw;
        }
    }

    // Sizes count characters: UTF-8 bytes that do not continue a character.
    void AppendString(TColumn& col, const TFieldDef& def, std::string_view text) {
        if (def.size <= 0 || (!def.fixed && text.size() <= size_t(def.size))) {
            col.AppendBytes(text);
            return;
        }
        size_t chars = 0;
        for (char ch : text)
            chars += (quint8(ch) & 0xC0) != 0x80;
        if (chars > size_t(def.size))
            Fail(QStringLiteral("o valor do campo %1 da linha %2 excede %3 caracteres")
                     .arg(def.name)
                     .arg(m_row)
                     .arg(def.size));
        if (!def.fixed || chars == size_t(def.size)) {
            col.AppendBytes(text);
            return;
        }
        m_pad.assign(text);
        m_pad.append(size_t(def.size) - chars, ' ');
        col.AppendBytes(m_pad);
    }

    struct Cell {
        TColumn* column;
        const TFieldDef* def;
    };

    TCborCursor m_c;
    const TFieldDefs& m_target;
    std::vector<int> m_columnOf;
    std::vector<Cell> m_cells; // per packet field, in packet order
    std::unique_ptr<TRowStore> m_store;
    quint64 m_row = 0; // 1-based while reading rows
    int m_field = -1;
    std::string m_pad;
};

// Everything of a packet up to the count of its rows.
void WriteFields(TCborWriter& w, const TFieldDefs& defs) {
    w.Map(kKeys.size());
    w.Text(kKeys[0]);
    w.Text(kKind);
    w.Text(kKeys[1]);
    w.Int(TDataPacket::Version);
    w.Text(kKeys[2]);
    w.Array(quint64(defs.size()));
    for (const auto& d : defs) {
        w.Array(4);
        w.Text(d.name);
        w.Text(FieldKindName(d.kind));
        w.Int(d.size);
        w.Int((d.fixed ? FlagFixed : 0) | (d.update ? 0 : FlagNoUpdate));
    }
    w.Text(kKeys[3]);
}

} // namespace

TDataPacket EncodePacket(const TRowStore& store) {
    const size_t rows = store.Order().size() + store.Deleted().size();
    TCborWriter w(std::max(store.PacketSizeHint() + 4096,
                           qsizetype(rows * size_t(store.ColumnCount()) * 8 + 256)));
    WriteFields(w, store.Defs());
    w.Array(rows);
    for (quint32 row : store.Order())
        WriteRow(w, store, row);
    for (quint32 row : store.Deleted())
        WriteRow(w, store, row);
    return TDataPacket(w.Take());
}

TPacketWriter::TPacketWriter(const TFieldDefs& defs) : m_fields(defs.size()) {
    WriteFields(m_rows, defs);
    m_headSize = m_rows.Size();
    m_rows.Raw(std::string_view("\0\0\0\0\0\0\0\0\0", kCountRoom));
}

void TPacketWriter::BeginRow() {
    m_rows.Array(m_fields + 1);
    m_rows.Int(int(TUpdateStatus::Unmodified));
    ++m_count;
}

void TPacketWriter::Value(TFieldKind kind, const QVariant& v) {
    WriteValue(m_rows, kind, v);
}

TDataPacket TPacketWriter::Finish() {
    TCborWriter count;
    count.Array(m_count);
    const QByteArray head = count.Take();
    QByteArray bytes = m_rows.Take();
    // The head moves up against the count; the room left in front is dropped
    // by moving the array's start, not its bytes.
    const qsizetype unused = kCountRoom - head.size();
    char* p = bytes.data();
    std::memmove(p + unused, p, size_t(m_headSize));
    std::memcpy(p + unused + m_headSize, head.constData(), size_t(head.size()));
    bytes.remove(0, unused);
    return TDataPacket(std::move(bytes));
}

std::unique_ptr<TRowStore> DecodePacket(const TDataPacket& packet, const TFieldDefs& target) {
    if (packet.IsEmpty())
        throw EPacketError(QStringLiteral("Pacote de dados inválido: pacote vazio."));
    auto store = Reader(packet.Bytes(), target).Run();
    store->SetPacketSizeHint(packet.Size());
    return store;
}
