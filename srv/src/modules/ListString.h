#pragma once

#include <QString>
#include <QStringList>

// The lists of codes the filter sends (sellers, customers, products...):
// codes joined by "_", with "_" and "\" inside a code written "\_" and "\\".
// An empty text means nothing was picked. The form is described in
// docs/protocol.md ("List strings").

// The codes of `text`, in order. A malformed text (a "\" before anything but
// "_" or "\", a "\" at the end, an empty code) is refused with an ERemoteError
// whose sentence names `what` (e.g. "vendedores").
QStringList ParseListString(const QString& text, const QString& what);
// The text form of `codes`; the inverse of ParseListString.
QString FormatListString(const QStringList& codes);
