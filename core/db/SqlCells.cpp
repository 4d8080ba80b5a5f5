#include "core/db/SqlCells.h"

#include "core/data/PacketCodec.h"
#include "core/data/RowStore.h"
#include "core/db/DbError.h"

namespace {

bool TextFlag(const QString& s) {
    const QString u = s.trimmed().toUpper();
    return u == u"S" || u == u"T" || u == u"1" || u == u"TRUE";
}

} // namespace

// A text never has more characters than UTF-16 units: most need no count.
void CheckCellLength(const QString& s, const TFieldDef& def) {
    if (s.size() > def.size && CharacterCount(s) > def.size)
        throw EDbError(QStringLiteral("A coluna %1 trouxe um texto de %2 caracteres; o campo "
                                      "comporta %3: \"%4\"")
                           .arg(def.name)
                           .arg(CharacterCount(s))
                           .arg(def.size)
                           .arg(LeftCharacters(s, 40)));
}

QVariant ConvertCell(const QVariant& v, const TFieldDef& def) {
    if (!v.isValid() || v.isNull())
        return {};
    bool ok = true;
    QVariant out;
    switch (def.kind) {
    case TFieldKind::String: {
        QString s = v.toString();
        CheckCellLength(s, def);
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

const std::string* TCellAppender::Text(const QVariant& v, const TFieldDef& def) {
    const bool text = def.kind == TFieldKind::String || def.kind == TFieldKind::Memo;
    if (!text || !v.isValid() || v.isNull())
        return nullptr;
    const QString s = v.toString();
    if (def.kind == TFieldKind::String)
        CheckCellLength(s, def);
    m_utf8.resize(size_t(s.size()) * 3); // the most UTF-8 a UTF-16 unit takes
    char* end = m_encoder.appendToBuffer(m_utf8.data(), s);
    m_utf8.resize(size_t(end - m_utf8.data()));
    return &m_utf8;
}

void TCellAppender::Append(TColumn& column, const QVariant& v, const TFieldDef& def) {
    if (const std::string* text = Text(v, def))
        column.AppendBytes(*text);
    else
        column.Append(ConvertCell(v, def));
}

void TCellAppender::Write(TPacketWriter& out, const QVariant& v, const TFieldDef& def) {
    if (const std::string* text = Text(v, def))
        out.Text(*text);
    else
        out.Value(def.kind, ConvertCell(v, def));
}
