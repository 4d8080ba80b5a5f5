#pragma once

#include "core/data/Exceptions.h"

#include <QString>
#include <QStringList>

// The text form in which a list of picked codes travels to the server
// (docs/protocol.md, "List strings"): codes joined by "_", with "_" and "\"
// inside a code written "\_" and "\\"; the empty text is the empty list.
namespace ListString {

// The most codes a list may carry: far more than an operator picks, few
// enough that no request holds a server worker for long.
inline constexpr int kMaxCodes = 10000;

// A text that is not a list string, or a list of more than kMaxCodes codes.
// Reason() says what is wrong as a clause ("o texto termina com uma barra
// invertida"), so that a reader can word the refusal its own way.
class EListStringError : public Exception {
public:
    enum class Kind { Malformed, TooManyCodes };
    EListStringError(Kind kind, const QString& reason);
    Kind Fault() const { return m_kind; }
    const QString& Reason() const { return m_reason; }

private:
    Kind m_kind;
    QString m_reason;
};

// Throws Exception for an empty code: a reader would refuse the whole list.
QString Encode(const QStringList& codes);
// The codes of `text`, in order. Throws EListStringError for a "\" before
// anything but "_" or "\", a "\" at the end, an empty code, or more than
// kMaxCodes codes.
QStringList Decode(const QString& text);

} // namespace ListString
