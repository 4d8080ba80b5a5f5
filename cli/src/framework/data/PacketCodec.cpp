#include "PacketCodec.h"

#include "Exceptions.h"

#include <QCborStreamReader>
#include <QCborStreamWriter>

#include <algorithm>
#include <optional>

namespace {

const QString kKind = QStringLiteral("recordset");
enum FieldFlag : int { FlagFixed = 1, FlagNoUpdate = 2 };

// ---- writing ---------------------------------------------------------------

void WriteCell(QCborStreamWriter& w, const TColumn& col, quint32 row) {
    if (col.IsNull(row)) {
        w.append(nullptr);
        return;
    }
    switch (col.Kind()) {
    case TFieldKind::Float:
    case TFieldKind::DateTime:
        w.append(col.Double(row));
        break;
    case TFieldKind::Integer:
        w.append(col.Int(row));
        break;
    case TFieldKind::Boolean:
        w.append(col.Int(row) != 0);
        break;
    case TFieldKind::Blob: {
        const auto b = col.Bytes(row);
        w.appendByteString(b.data(), qsizetype(b.size()));
        break;
    }
    case TFieldKind::String:
    case TFieldKind::Memo: {
        const auto b = col.Bytes(row);
        w.appendTextString(b.data(), qsizetype(b.size()));
        break;
    }
    }
}

void WriteValue(QCborStreamWriter& w, TFieldKind kind, const QVariant& v) {
    TColumn one(kind); // one code path for values and cells
    one.Append(v);
    WriteCell(w, one, 0);
}

void WriteRow(QCborStreamWriter& w, const TRowStore& store, quint32 row) {
    const int n = store.ColumnCount();
    const TUpdateStatus status = store.Status(row);
    // A deleted row travels with its values as loaded, so that it can be found.
    const auto* overlay = status == TUpdateStatus::Deleted ? nullptr : store.Overlay(row);
    const bool modified = status == TUpdateStatus::Modified;
    w.startArray(quint64(n + 1 + (modified ? 1 : 0)));
    w.append(int(status));
    for (int c = 0; c < n; ++c) {
        if (overlay)
            WriteValue(w, store.Column(c).Kind(), (*overlay)[size_t(c)]);
        else
            WriteCell(w, store.Column(c), row);
    }
    if (modified) { // the values as loaded, so that the row can be found
        w.startArray(quint64(n));
        for (int c = 0; c < n; ++c)
            WriteCell(w, store.Column(c), row);
        w.endArray();
    }
    w.endArray();
}

// ---- reading ---------------------------------------------------------------

class Reader {
public:
    Reader(const QByteArray& bytes, const TFieldDefs& target)
        : m_r(bytes), m_size(bytes.size()), m_target(target) {}

    std::unique_ptr<TRowStore> Run() {
        if (m_r.lastError() != QCborError::NoError || !m_r.isMap())
            Fail(QStringLiteral("não começa por um mapa CBOR"));
        Enter();
        std::optional<QString> kind;
        std::optional<qint64> version;
        while (m_r.hasNext()) {
            const QString key = Text(QStringLiteral("chave"));
            if (key == u"kind") {
                kind = Text(QStringLiteral("kind"));
                if (*kind != kKind)
                    Fail(QStringLiteral("tipo \"%1\", esperado \"%2\"").arg(*kind, kKind));
            } else if (key == u"version") {
                version = Integer(QStringLiteral("version"));
                if (!kind)
                    Fail(QStringLiteral("\"kind\" deve vir antes de \"version\""));
                if (*version != TDataPacket::Version)
                    Fail(QStringLiteral("versão %1 não suportada (esperada %2)")
                             .arg(*version)
                             .arg(TDataPacket::Version));
            } else if (key == u"fields") {
                if (!version)
                    Fail(QStringLiteral("\"kind\" e \"version\" devem vir antes de \"fields\""));
                ReadFields();
            } else if (key == u"rows") {
                if (!m_store)
                    Fail(QStringLiteral("\"fields\" deve vir antes de \"rows\""));
                ReadRows();
                m_haveRows = true;
            } else {
                Fail(QStringLiteral("chave desconhecida \"%1\"").arg(key));
            }
        }
        Leave();
        if (!kind || !version || !m_store || !m_haveRows)
            Fail(QStringLiteral("faltam \"kind\", \"version\", \"fields\" ou \"rows\""));
        if (m_r.lastError() != QCborError::NoError || m_r.currentOffset() != m_size)
            Fail(QStringLiteral("dados a mais depois do pacote"));
        return std::move(m_store);
    }

private:
    [[noreturn]] void Fail(const QString& why) {
        const QCborError err = m_r.lastError();
        QString text = why;
        if (err != QCborError::NoError)
            text = err == QCborError::EndOfFile
                       ? QStringLiteral("pacote truncado")
                       : QStringLiteral("CBOR malformado (%1)").arg(err.toString());
        throw EPacketError(QStringLiteral("Pacote de dados inválido: %1.").arg(text));
    }

    void Check(bool ok, const QString& why) {
        if (!ok || m_r.lastError() != QCborError::NoError)
            Fail(why);
    }

    void Enter() { Check(m_r.enterContainer(), QStringLiteral("contêiner ilegível")); }
    void Leave() {
        Check(!m_r.hasNext(), QStringLiteral("itens a mais num contêiner"));
        Check(m_r.leaveContainer(), QStringLiteral("contêiner ilegível"));
    }

    QString Text(const QString& what) {
        Check(m_r.isString(), QStringLiteral("esperado texto em %1").arg(what));
        QString s;
        auto r = m_r.readString();
        while (r.status == QCborStreamReader::Ok) {
            s += r.data;
            r = m_r.readString();
        }
        Check(r.status == QCborStreamReader::EndOfString,
              QStringLiteral("texto ilegível em %1").arg(what));
        return s;
    }

    qint64 Integer(const QString& what) {
        Check(m_r.isInteger(), QStringLiteral("esperado inteiro em %1").arg(what));
        const qint64 v = m_r.toInteger();
        Check(m_r.next(), what);
        return v;
    }

    void ReadFields() {
        Check(m_r.isArray(), QStringLiteral("\"fields\" não é uma lista"));
        Enter();
        TFieldDefs packetDefs;
        while (m_r.hasNext()) {
            Check(m_r.isArray(), QStringLiteral("definição de campo não é uma lista"));
            Enter();
            TFieldDef d;
            d.name = Text(QStringLiteral("nome de campo"));
            const QString kindName = Text(QStringLiteral("tipo do campo %1").arg(d.name));
            bool known = false;
            for (auto k :
                 {TFieldKind::String, TFieldKind::Float, TFieldKind::DateTime, TFieldKind::Blob,
                  TFieldKind::Memo, TFieldKind::Integer, TFieldKind::Boolean})
                if (FieldKindName(k) == kindName) {
                    d.kind = k;
                    known = true;
                }
            Check(known,
                  QStringLiteral("tipo \"%1\" desconhecido no campo %2").arg(kindName, d.name));
            d.size = int(Integer(QStringLiteral("tamanho do campo %1").arg(d.name)));
            const qint64 flags = Integer(QStringLiteral("atributos do campo %1").arg(d.name));
            d.fixed = flags & FlagFixed;
            d.update = !(flags & FlagNoUpdate);
            Leave();
            packetDefs.push_back(std::move(d));
        }
        Leave();
        MapFields(packetDefs);
    }

    // Decides which column of the store each packet field fills.
    void MapFields(const TFieldDefs& packetDefs) {
        const TFieldDefs& defs = m_target.empty() ? packetDefs : m_target;
        m_columnOf.assign(packetDefs.size(), -1);
        std::vector<bool> seen(defs.size(), false);
        for (size_t j = 0; j < packetDefs.size(); ++j) {
            const auto& pd = packetDefs[j];
            int c = -1;
            for (size_t i = 0; i < defs.size(); ++i)
                if (defs[i].name.compare(pd.name, Qt::CaseInsensitive) == 0)
                    c = int(i);
            if (c < 0)
                Fail(QStringLiteral("o campo %1 não pertence a este conjunto de dados")
                         .arg(pd.name));
            if (seen[size_t(c)])
                Fail(QStringLiteral("o campo %1 aparece duas vezes").arg(pd.name));
            if (defs[size_t(c)].kind != pd.kind)
                Fail(
                    QStringLiteral("o campo %1 é %2 no pacote e %3 no conjunto de dados")
                        .arg(pd.name, FieldKindName(pd.kind), FieldKindName(defs[size_t(c)].kind)));
            seen[size_t(c)] = true;
            m_columnOf[j] = c;
        }
        for (size_t i = 0; i < defs.size(); ++i)
            if (!seen[i])
                Fail(QStringLiteral("falta o campo %1").arg(defs[i].name));
        m_store = std::make_unique<TRowStore>(defs);
    }

    void ReadRows() {
        Check(m_r.isArray(), QStringLiteral("\"rows\" não é uma lista"));
        if (m_r.isLengthKnown())
            for (int c = 0; c < m_store->ColumnCount(); ++c)
                m_store->Column(c).Reserve(size_t(m_r.length()));
        Enter();
        const size_t n = m_columnOf.size();
        while (m_r.hasNext()) {
            const quint32 rowNo = m_store->RowCount() + 1;
            Check(m_r.isArray(), QStringLiteral("a linha %1 não é uma lista").arg(rowNo));
            Enter();
            const qint64 status = Integer(QStringLiteral("estado da linha %1").arg(rowNo));
            if (status < 0 || status > int(TUpdateStatus::Deleted))
                Fail(QStringLiteral("estado %1 desconhecido na linha %2").arg(status).arg(rowNo));
            if (status == int(TUpdateStatus::Modified)) {
                ReadModifiedRow(rowNo);
            } else {
                for (size_t j = 0; j < n; ++j)
                    ReadCell(m_store->Column(m_columnOf[j]), j, rowNo);
                m_store->CommitRow(TUpdateStatus(status));
            }
            Leave();
        }
        Leave();
    }

    // A modified row: current values, then the values as loaded.
    void ReadModifiedRow(quint32 rowNo) {
        const size_t n = m_columnOf.size();
        std::vector<QVariant> current(n);
        for (size_t j = 0; j < n; ++j) {
            TColumn one(m_store->Column(m_columnOf[j]).Kind());
            ReadCell(one, j, rowNo);
            current[size_t(m_columnOf[j])] = one.Value(0);
        }
        Check(m_r.isArray(),
              QStringLiteral("a linha alterada %1 não traz os valores originais").arg(rowNo));
        Enter();
        for (size_t j = 0; j < n; ++j)
            ReadCell(m_store->Column(m_columnOf[j]), j, rowNo);
        Leave();
        const quint32 row = m_store->CommitRow(TUpdateStatus::Modified);
        m_store->SetOverlay(row, std::move(current));
    }

    void ReadCell(TColumn& col, size_t j, quint32 rowNo) {
        Check(m_r.hasNext(), QStringLiteral("a linha %1 tem valores de menos").arg(rowNo));
        const TFieldDef& def = m_store->Defs()[size_t(m_columnOf[j])];
        auto wrong = [&] {
            Fail(QStringLiteral("valor de tipo errado no campo %1 da linha %2")
                     .arg(def.name)
                     .arg(rowNo));
        };
        if (m_r.isNull()) {
            col.AppendNull();
            Check(m_r.next(), def.name);
            return;
        }
        switch (def.kind) {
        case TFieldKind::Float:
        case TFieldKind::DateTime:
            if (m_r.isDouble())
                col.AppendDouble(m_r.toDouble());
            else if (m_r.isFloat())
                col.AppendDouble(double(m_r.toFloat()));
            else if (m_r.isInteger())
                col.AppendDouble(double(m_r.toInteger()));
            else
                wrong();
            Check(m_r.next(), def.name);
            return;
        case TFieldKind::Integer:
            if (!m_r.isInteger())
                wrong();
            col.AppendInt(m_r.toInteger());
            Check(m_r.next(), def.name);
            return;
        case TFieldKind::Boolean:
            if (!m_r.isBool())
                wrong();
            col.AppendInt(m_r.toBool() ? 1 : 0);
            Check(m_r.next(), def.name);
            return;
        case TFieldKind::Blob:
            if (!m_r.isByteArray())
                wrong();
            ReadBytes(col, def, rowNo);
            return;
        case TFieldKind::String:
        case TFieldKind::Memo:
            if (!m_r.isString())
                wrong();
            ReadBytes(col, def, rowNo);
            return;
        }
    }

    // Copies a text or byte string straight into the column, chunk by chunk.
    void ReadBytes(TColumn& col, const TFieldDef& def, quint32 rowNo) {
        size_t total = 0;
        for (;;) {
            const qsizetype size = std::max<qsizetype>(m_r.currentStringChunkSize(), 0);
            char* at = col.GrowText(size_t(size));
            const auto r = m_r.readStringChunk(at, size);
            Check(r.status != QCborStreamReader::Error,
                  QStringLiteral("texto ilegível no campo %1").arg(def.name));
            if (r.status == QCborStreamReader::EndOfString) {
                col.TrimText(size_t(size));
                break;
            }
            Check(r.data == size, QStringLiteral("texto ilegível no campo %1").arg(def.name));
            total += size_t(size);
        }
        if (def.kind == TFieldKind::String && def.size > 0) {
            // Sizes count characters: UTF-8 bytes that do not continue a character.
            size_t chars = total;
            if (total > size_t(def.size)) {
                const char* text = col.GrowText(0) - total;
                chars = 0;
                for (size_t i = 0; i < total; ++i)
                    chars += (quint8(text[i]) & 0xC0) != 0x80;
                if (chars > size_t(def.size))
                    Fail(QStringLiteral("o valor do campo %1 da linha %2 excede %3 caracteres")
                             .arg(def.name)
                             .arg(rowNo)
                             .arg(def.size));
            }
            if (def.fixed && chars < size_t(def.size))
                std::fill_n(col.GrowText(size_t(def.size) - chars), size_t(def.size) - chars, ' ');
        }
        col.FinishText();
    }

    QCborStreamReader m_r;
    qint64 m_size;
    const TFieldDefs& m_target;
    std::vector<int> m_columnOf;
    std::unique_ptr<TRowStore> m_store;
    bool m_haveRows = false;
};

} // namespace

TDataPacket EncodePacket(const TRowStore& store) {
    QByteArray bytes;
    QCborStreamWriter w(&bytes);
    w.startMap(4);
    w.append(QLatin1StringView("kind"));
    w.append(kKind);
    w.append(QLatin1StringView("version"));
    w.append(TDataPacket::Version);
    w.append(QLatin1StringView("fields"));
    w.startArray(quint64(store.ColumnCount()));
    for (const auto& d : store.Defs()) {
        w.startArray(4);
        w.append(d.name);
        w.append(FieldKindName(d.kind));
        w.append(d.size);
        w.append((d.fixed ? FlagFixed : 0) | (d.update ? 0 : FlagNoUpdate));
        w.endArray();
    }
    w.endArray();
    w.append(QLatin1StringView("rows"));
    w.startArray(quint64(store.Order().size() + store.Deleted().size()));
    for (quint32 row : store.Order())
        WriteRow(w, store, row);
    for (quint32 row : store.Deleted())
        WriteRow(w, store, row);
    w.endArray();
    w.endMap();
    return TDataPacket(std::move(bytes));
}

std::unique_ptr<TRowStore> DecodePacket(const TDataPacket& packet, const TFieldDefs& target) {
    if (packet.IsEmpty())
        throw EPacketError(QStringLiteral("Pacote de dados inválido: pacote vazio."));
    return Reader(packet.Bytes(), target).Run();
}
