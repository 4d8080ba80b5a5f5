#pragma once

#include <QDateTime>
#include <QVariant>

// The database keeps dates as OLE Automation days, exactly as record sets and
// the wire carry them (days since 1899-12-30, the fraction is the time of
// day), and NULL for no date. Range queries compare plain numbers and nothing
// is converted between a packet and a table; these are the only conversions
// between Qt's dates and the stored form.
QVariant DbDate(const QDate& date);             // NULL when invalid
QVariant DbDateTime(const QDateTime& dateTime); // local time; NULL when invalid
QVariant DbNow();
double OleFromDb(const QVariant& value); // 0 (no date) for NULL
