#include "ore/ore00800/EventHours.h"

#include "core/data/OleDate.h"
#include "framework/services/HostText.h"

#include <cmath>

QString Ajusta_Hora(const QString& stHora) {
    if (EmptyString(stHora))
        return {};
    auto half = [](const QString& part) {
        const QString digits = Ajusta(part, 2);
        return EmptyString(digits) ? QStringLiteral("00") : digits;
    };
    return half(stHora.mid(0, 2)) + half(stHora.mid(2, 2));
}

QString HoraEvento(double dtEvento) {
    const QDateTime dt = OleToDateTime(dtEvento);
    return dt.isValid() ? dt.time().toString(QStringLiteral("HHmm")) : QStringLiteral("0000");
}

QString DuracaoEvento(double qtHrEvento) {
    // Rounded as the number is written: 4.1 hours are 410 hundredths, not 409.
    const double hundredths = RoundDec(qtHrEvento * 100, 0);
    if (!(hundredths >= 0 && hundredths <= 9999))
        return {};
    const int n = int(hundredths);
    const int f = n % 100;
    const int mm = int(std::trunc(f * 60 / 100.0));
    return Ajusta_Hora(QStringLiteral("%1%2")
                           .arg(n / 100, 2, 10, QLatin1Char('0'))
                           .arg(mm, 2, 10, QLatin1Char('0')));
}
