#pragma once

#include <QDateTime>

// OLE Automation dates: days since 1899-12-30 as a double, the fraction is the
// time of day. Zero means "no date". Dates before the epoch have a negative day
// part and a positive time fraction (-1.25 is 1899-12-29 06:00).
double DateTimeToOle(const QDateTime& dt); // local time, no time zone conversion
double DateToOle(const QDate& d);
// Invalid for 0 and for days past 0100-01-01 .. 9999-12-31. Its date and time
// are the wall clock's, held as UTC so that no time zone's change of hour can
// shift them; read them with date() and time(), not as an instant.
QDateTime OleToDateTime(double ole);
QDate OleToDate(double ole);

// Display text of a date-time: the date in the short date format, then the time
// when it is not midnight; empty for 0 and for no valid date.
QString OleToText(double ole);
