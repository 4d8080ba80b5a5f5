#include "core/data/FormatSettings.h"

#include <QRegularExpression>

namespace {

TFormatSettings& CurrentSettings() {
    static TFormatSettings settings;
    return settings;
}

} // namespace

TFormatSettings TFormatSettings::FromLocale(const QLocale& locale) {
    TFormatSettings fs;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    if (!decimal.isEmpty())
        fs.decimalSeparator = decimal.front();
    if (!group.isEmpty())
        fs.thousandSeparator = group.front();

    // Documents and reports always show four-digit years, whatever the locale's short form says.
    QString date = locale.dateFormat(QLocale::ShortFormat);
    if (!date.contains(QLatin1String("yyyy")))
        date.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    fs.shortDateFormat = date;

    // The long time format carries the time zone name ("t"); local times have none to show.
    QString time = locale.timeFormat(QLocale::LongFormat);
    time.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    fs.longTimeFormat = time.trimmed();
    return fs;
}

const TFormatSettings& TFormatSettings::Current() {
    return CurrentSettings();
}

// Meant to be called once, when the session starts, before any other thread formats values.
void TFormatSettings::SetCurrent(const TFormatSettings& settings) {
    CurrentSettings() = settings;
}
