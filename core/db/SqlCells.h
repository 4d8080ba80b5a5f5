#pragma once

#include "core/data/FieldDef.h"

#include <QStringEncoder>
#include <QVariant>

#include <string>
#include <string_view>

class TColumn;
class TPacketWriter;

// A result value as the field `def` holds it: texts checked against the
// field's size, numbers, flags and bytes converted. Null stays null; a value
// of the wrong kind, or a text longer than its field, is an EDbError.
QVariant ConvertCell(const QVariant& v, const TFieldDef& def);
// EDbError when a text for a String field has more characters than the field.
void CheckCellLength(const QString& s, const TFieldDef& def);

// Takes one value of a result row to its column, or to the packet being
// written. Texts go to UTF-8 through one buffer reused for every cell,
// instead of a QVariant and a QByteArray of their own: a large list has
// millions of them. Other kinds as ConvertCell.
class TCellAppender {
public:
    void Append(TColumn& column, const QVariant& v, const TFieldDef& def);
    void Write(TPacketWriter& out, const QVariant& v, const TFieldDef& def);

private:
    // The value's UTF-8 text, checked against the field, when the field
    // holds text and the value is not null; null otherwise.
    const std::string* Text(const QVariant& v, const TFieldDef& def);

    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringConverter::Flag::Stateless};
    std::string m_utf8;
};
