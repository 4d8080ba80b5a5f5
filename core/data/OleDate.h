#pragma once

#include <QDateTime>

// OLE Automation dates: days since 1899-12-30 as a double, the fraction is the
// time of day. Zero means "no date". Dates before the epoch have a negative day
// part and a positive time fraction (-1.25 is 1899-12-29 06:00).
double DateTimeToOle(const QDateTime& dt); // local time, no time zone conversion
double DateToOle(const QDate& d);
QDateTime OleToDateTime(double ole); // invalid for 0
QDate OleToDate(double ole);         // invalid for 0

// Display text of a date-time: the date in the short date format, then the time
// when it is not midnight; empty for 0.
QString OleToText(double ole);
