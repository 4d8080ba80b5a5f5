#include "FieldDef.h"

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
