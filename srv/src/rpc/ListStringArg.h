#pragma once

#include <QString>
#include <QStringList>

// The codes of a list-string argument (core/wire/ListString.h). A text that
// the codec refuses is refused with an ERemoteError whose sentence names
// `what` (e.g. "vendedores"), so that the operator learns which list was bad.
QStringList ParseListString(const QString& text, const QString& what);
