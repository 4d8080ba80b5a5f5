#include "modules/DueDates.h"

#include <algorithm>

std::vector<QDate> MonthlyDueDates(const QDate& first, int day, int count) {
    std::vector<QDate> out;
    const QDate month1(first.year(), first.month(), 1);
    for (int i = 0; i < count; ++i) {
        const QDate month = month1.addMonths(i);
        out.emplace_back(month.year(), month.month(), std::min(day, month.daysInMonth()));
    }
    return out;
}
