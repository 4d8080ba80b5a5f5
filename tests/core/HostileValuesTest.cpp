// Values that only a damaged or hostile packet or call carries, found by the
// fuzzing harnesses: each is refused or shown as nothing, never undefined.

#include "core/data/OleDate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(HostileValues, OleDatesOutsideTheirRangeAreNoDate) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double ole;
        QDateTime expected; // invalid: no date
    } cases[] = {
        {2958465.5, QDateTime(QDate(9999, 12, 31), QTime(12, 0))},
        {-657434.0, QDateTime(QDate(100, 1, 1), QTime(0, 0))},
        {2958466.0, {}},
        {-657435.0, {}},
        {1e18, {}},
        {-6.92446e+274, {}},
        {inf, {}},
        {std::nan(""), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ole);
        EXPECT_EQ(OleToDateTime(c.ole), c.expected);
        EXPECT_EQ(OleToText(c.ole).isEmpty(), !c.expected.isValid());
    }
}

} // namespace
