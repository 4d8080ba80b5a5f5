#pragma once

#include <QString>
#include <QStringList>

// The text form in which a list of picked codes travels to the server
// (docs/protocol.md, "List strings"): codes joined by "_", with "_" and "\"
// inside a code written "\_" and "\\"; the empty text is the empty list.
namespace ListString {

// Throws Exception for an empty code: the server would refuse the whole list.
QString Encode(const QStringList& codes);
// The codes of `text`, in order; throws Exception for a text the server
// would refuse (a stray "\", an empty code).
QStringList Decode(const QString& text);

} // namespace ListString
