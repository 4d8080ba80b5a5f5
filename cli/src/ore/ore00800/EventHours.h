#pragma once

#include <QString>

// The event's hour and duration as the "Formulário" page shows them: four
// digits "hhmm" for a masked edit "!00:00;0; ".

// Normalises a typed hhmm text: each half right-aligned and zero-filled to
// two digits, a missing half "00"; empty or blank input gives "".
QString Ajusta_Hora(const QString& stHora);

// The time of day of an event date-time (an OLE date) as "hhmm"; a date
// without a time, or no date, is "0000".
QString HoraEvento(double dtEvento);

// A duration in decimal hours as "hhmm": whole hundredths of an hour, the
// hundredths turned into minutes, truncated (4.5 gives "0430", 0.1 "0006").
// A duration that two hour digits cannot hold (negative, or 100 hours and
// more) gives "".
QString DuracaoEvento(double qtHrEvento);
