#pragma once

#include <QDate>

#include <vector>

// `count` monthly due dates on `day` of the month (1 to 31), from the month of
// `first` on. A month shorter than `day` falls due on its last day; each
// month's date is worked out from `day` afresh, so a short month does not pull
// the later ones back.
std::vector<QDate> MonthlyDueDates(const QDate& first, int day, int count);
