#include "core/data/OleDate.h"

#include "core/data/FormatSettings.h"

#include <cmath>

namespace {

constexpr qint64 kMSecsPerDay = 86400000;
// The dates an OLE date holds: 0100-01-01 to 9999-12-31. Past them a number
// from a packet or a call is no date, not an overflow.
constexpr double kFirstDay = -657434;
constexpr double kLastDay = 2958465;

QDate Epoch() {
    return QDate(1899, 12, 30);
}

} // namespace

double DateTimeToOle(const QDateTime& dt) {
    if (!dt.isValid())
        return 0;
    const double days = static_cast<double>(Epoch().daysTo(dt.date()));
    const double time = static_cast<double>(dt.time().msecsSinceStartOfDay()) / kMSecsPerDay;
    // Before the epoch the day counts down but the time of day still counts up.
    return days < 0 ? days - time : days + time;
}

double DateToOle(const QDate& d) {
    return d.isValid() ? static_cast<double>(Epoch().daysTo(d)) : 0;
}

QDateTime OleToDateTime(double ole) {
    if (ole == 0 || !std::isfinite(ole))
        return {};
    const double day = std::trunc(ole);
    if (day < kFirstDay || day > kLastDay)
        return {};
    // Rounded to the millisecond, so that converting back and forth is stable.
    qint64 msecs = std::llround(std::fabs(ole - day) * kMSecsPerDay);
    QDate date = Epoch().addDays(static_cast<qint64>(day));
    if (msecs >= kMSecsPerDay) {
        msecs -= kMSecsPerDay;
        date = date.addDays(1);
    }
    // What the wall clock read, kept apart from any time zone: in local time
    // a midnight skipped by a change to summer time would be no date at all.
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)), Qt::UTC);
}

QDate OleToDate(double ole) {
    return OleToDateTime(ole).date();
}

QString OleToText(double ole) {
    const QDateTime dt = OleToDateTime(ole);
    if (!dt.isValid())
        return {};
    const TFormatSettings& fs = TFormatSettings::Current();
    QString text = dt.date().toString(fs.shortDateFormat);
    if (dt.time() != QTime(0, 0))
        text += u' ' + dt.time().toString(fs.longTimeFormat);
    return text;
}
