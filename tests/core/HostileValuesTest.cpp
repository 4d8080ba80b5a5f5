// Values that only a damaged or hostile packet or call carries, found by the
// fuzzing harnesses: each is refused or shown as nothing, never undefined.

#include "core/data/Exceptions.h"
#include "core/data/OleDate.h"
#include "core/data/RecordSet.h"

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
        {2958465.5, QDateTime(QDate(9999, 12, 31), QTime(12, 0), Qt::UTC)},
        {-657434.0, QDateTime(QDate(100, 1, 1), QTime(0, 0), Qt::UTC)},
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

// A packet's texts are UTF-8: anything else would be counted, padded and
// converted one way on reading and another on writing.
TEST(HostileValues, PacketTextsThatAreNotUtf8AreRefused) {
    const TFieldDefs defs = {StrField(QStringLiteral("CDFIXO"), 2).Fixed(),
                             MemoField(QStringLiteral("DSMEMO"))};
    TRecordSet src(defs);
    src.CreateDataSet();
    src.Append();
    src.Fields(0).SetAsString(QStringLiteral("##"));
    src.Fields(1).SetAsString(QStringLiteral("@@@@"));
    src.Post();
    const QByteArray packet = src.Data().Bytes();
    // The bytes of each case replace the text of one field.
    const struct {
        int field;
        QByteArray bytes;
        bool valid;
    } cases[] = {
        {1, "ab", true},
        {1, "\xc3\xa9\xe2\x82\xac", true}, // é€
        {1, "\xf0\x9f\x98\x80", true},     // outside the basic plane
        {1, "\xc0\xaf", false},            // overlong "/"
        {1, "\xed\xa0\x80", false},        // a surrogate
        {1, "\xf4\x90\x80\x80", false},    // past U+10FFFF
        {1, "a\xe2\x82", false},           // cut short
        {1, "\xff", false},
        {0, "\xc3\xa9", true},                // one character, padded
        {0, QByteArray("\xb0") + "0", false}, // a continuation byte first
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toHex().toStdString());
        const QByteArray placeholder = c.field == 0 ? "\x62##" : "\x64@@@@";
        QByteArray bytes = packet;
        bytes.replace(placeholder, char(0x60 + c.bytes.size()) + c.bytes);
        TRecordSet dst(defs);
        if (!c.valid) {
            EXPECT_THROW(dst.SetData(TDataPacket(bytes)), EPacketError);
            continue;
        }
        // What loads writes back and loads again, as it was.
        dst.SetData(TDataPacket(bytes));
        TRecordSet again(defs);
        again.SetData(dst.Data());
        EXPECT_EQ(again.Fields(c.field).AsString(), dst.Fields(c.field).AsString());
        EXPECT_EQ(dst.Fields(c.field).AsString().toUtf8().left(c.bytes.size()), c.bytes);
    }
}

} // namespace
