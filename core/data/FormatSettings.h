#pragma once

#include <QChar>
#include <QLocale>
#include <QString>

// The operator's number and date conventions (pt-BR unless the host says otherwise).
struct TFormatSettings {
    QChar decimalSeparator = u',';
    QChar thousandSeparator = u'.';
    QString shortDateFormat = QStringLiteral("dd/MM/yyyy"); // QDate::toString notation
    QString longTimeFormat = QStringLiteral("HH:mm:ss");

    static TFormatSettings PtBR() { return {}; }
    static TFormatSettings FromLocale(const QLocale& locale);

    // The settings in force for the whole process (the host sets them from the session).
    static const TFormatSettings& Current();
    static void SetCurrent(const TFormatSettings& settings);
};
