#include "framework/services/Registration.h"

#include <gtest/gtest.h>

namespace {

struct TRegistrationCase {
    const char* kind;
    const char* number;
    bool valid;
};

TEST(Registration, ChecksLengthKindAndBothCheckDigits) {
    const TRegistrationCase cases[] = {
        // Individuals: 11 digits.
        {"F", "52998224725", true},
        {"f", "529.982.247-25", true},   // masked, kind in lower case
        {"F", " 529 982 247 25 ", true}, // blanks of an unfinished mask
        {"F", "52998224715", false},     // first check digit wrong
        {"F", "52998224724", false},     // second check digit wrong
        {"F", "11111111111", false},     // one digit repeated: passes the digits, never issued
        {"F", "5299822472", false},      // 10 digits
        {"F", "529982247255", false},    // 12 digits
        {"F", "5299822472a", false},     // a letter
        {"F", "", false},
        {"J", "52998224725", false}, // an individual's number as a company
        // Companies: 14 digits.
        {"J", "11222333000181", true},
        {"J", "11.222.333/0001-81", true},
        {"J", "11222333000191", false}, // first check digit wrong
        {"J", "11222333000182", false}, // second check digit wrong
        {"J", "00000000000000", false},
        {"J", "1122233300018", false},  // 13 digits
        {"F", "11222333000181", false}, // a company's number as an individual
        // Other kinds.
        {"", "52998224725", false},
        {"X", "11222333000181", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InscricaoValida(QString::fromUtf8(c.kind), QString::fromUtf8(c.number)), c.valid)
            << c.kind << " " << c.number;
}

} // namespace
