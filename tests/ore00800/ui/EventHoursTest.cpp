// The event's hour and duration as four hhmm digits.

#include "ore/ore00800/EventHours.h"

#include "core/data/OleDate.h"

#include <gtest/gtest.h>

TEST(EventHours, DurationInHoursBecomesHhmm) {
    const struct {
        double hours;
        const char* hhmm;
    } cases[] = {
        {4.5, "0430"},   {4.0, "0400"}, {4.1, "0406"},   {0.75, "0045"}, {0.1, "0006"},
        {4.25, "0415"},  {0.0, "0000"}, {12.99, "1259"}, // 99 hundredths: 59.4 minutes, cut
        {0.125, "0007"},                                 // half a hundredth goes up: 13
        {99.99, "9959"}, {100.0, ""},   {-1.0, ""},      // two hour digits only
    };
    for (const auto& c : cases)
        EXPECT_EQ(DuracaoEvento(c.hours), QLatin1String(c.hhmm)) << c.hours;
}

TEST(EventHours, HourOfTheEventAndItsNormalisation) {
    EXPECT_EQ(HoraEvento(DateTimeToOle(QDateTime(QDate(2027, 2, 20), QTime(19, 30)))), "1930");
    // Seconds do not round the minute up.
    EXPECT_EQ(HoraEvento(DateTimeToOle(QDateTime(QDate(2027, 2, 20), QTime(7, 5, 59)))), "0705");
    EXPECT_EQ(HoraEvento(DateToOle(QDate(2027, 2, 20))), "0000");
    EXPECT_EQ(HoraEvento(0), "0000");

    const struct {
        const char* typed;
        const char* hhmm;
    } typed[] = {{"", ""},       {"    ", ""},     {"1930", "1930"}, {" 930", "0930"},
                 {"19", "1900"}, {"19  ", "1900"}, {"  30", "0030"}, {"7 5 ", "0705"}};
    for (const auto& t : typed)
        EXPECT_EQ(Ajusta_Hora(QLatin1String(t.typed)), QLatin1String(t.hhmm)) << t.typed;
}
