#pragma once

#include <QByteArray>

// The bytes [from, from + n) of `whole`, as a QByteArray that shares whole's
// buffer instead of copying it. The buffer lives while either of them does,
// and writing to either copies it first, as with any shared QByteArray. Its
// data is not followed by a '\0'. A `whole` without a buffer of its own
// (fromRawData) is copied from.
QByteArray SharedBytes(const QByteArray& whole, qsizetype from, qsizetype n);
