#pragma once

#include <QString>
#include <QStringList>

// The lists of codes the filter sends (sellers, customers, products...):
// codes joined by "_", with "_" and "\" inside a code written "\_" and "\\".
// An empty text means nothing was picked. The form is described in
// docs/protocol.md ("List strings").

// The most codes a list may carry: far more than an operator picks, few
// enough that no request holds a worker for long.
inline constexpr int kMaxListCodes = 10000;

// The codes of `text`, in order. A malformed text (a "\" before anything but
// "_" or "\", a "\" at the end, an empty code) or one of more than
// kMaxListCodes codes is refused with an ERemoteError whose sentence names
// `what` (e.g. "vendedores").
QStringList ParseListString(const QString& text, const QString& what);
// The text form of `codes`; the inverse of ParseListString.
QString FormatListString(const QStringList& codes);
