#include "core/data/FieldDef.h"

QString FieldKindName(TFieldKind kind) {
    switch (kind) {
    case TFieldKind::String:
        return QStringLiteral("string");
    case TFieldKind::Float:
        return QStringLiteral("float");
    case TFieldKind::DateTime:
        return QStringLiteral("datetime");
    case TFieldKind::Blob:
        return QStringLiteral("blob");
    case TFieldKind::Memo:
        return QStringLiteral("memo");
    case TFieldKind::Integer:
        return QStringLiteral("integer");
    case TFieldKind::Boolean:
        return QStringLiteral("boolean");
    }
    return QStringLiteral("?");
}

TFieldDefs DataFieldDefs(const TFieldDefs& defs) {
    TFieldDefs data;
    for (const auto& d : defs)
        if (!d.calculated)
            data.push_back(d);
    return data;
}

qsizetype CharacterCount(const QString& text) {
    qsizetype n = 0;
    for (const QChar c : text)
        n += !c.isLowSurrogate();
    return n;
}

QString LeftCharacters(const QString& text, qsizetype n) {
    qsizetype pos = 0;
    for (qsizetype count = 0; count < n && pos < text.size(); ++count)
        pos += text.at(pos).isHighSurrogate() && pos + 1 < text.size() &&
                       text.at(pos + 1).isLowSurrogate()
                   ? 2
                   : 1;
    return text.left(pos);
}
