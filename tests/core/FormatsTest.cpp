#include "core/data/EditMask.h"
#include "core/data/FormatSettings.h"
#include "core/data/NumberFormat.h"
#include "core/data/OleDate.h"

#include <gtest/gtest.h>

#include <ctime>
#include <ostream>

// Readable failure messages; internal linkage so that other test files may have their own.
[[maybe_unused]] static void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const TFormatSettings kBR = TFormatSettings::PtBR();

TFormatSettings EnUS() {
    TFormatSettings fs;
    fs.decimalSeparator = u'.';
    fs.thousandSeparator = u',';
    fs.shortDateFormat = QStringLiteral("M/d/yyyy");
    return fs;
}

QString F(const char* format, double value, const TFormatSettings& fs = kBR) {
    return FormatFloat(QString::fromUtf8(format), value, fs);
}

// Restores the process-wide settings whatever the test did to them.
struct TCurrentSettingsGuard {
    TFormatSettings saved = TFormatSettings::Current();
    ~TCurrentSettingsGuard() { TFormatSettings::SetCurrent(saved); }
};

} // namespace

TEST(FormatFloatTest, RoundsHalfAwayFromZeroOnTheWrittenDigits) {
    EXPECT_EQ(F("#,##0.00", 1234.56), "1.234,56");
    EXPECT_EQ(F("0.00", 0.005), "0,01");
    EXPECT_EQ(F("0.00", 1.005), "1,01");
    EXPECT_EQ(F("0.00", 2.675), "2,68");
    EXPECT_EQ(F("#,##0.00", 1234.565), "1.234,57");
    EXPECT_EQ(F("0.00", -2.675), "-2,68");
    EXPECT_EQ(F("0.00", 0.994999), "0,99");
    EXPECT_EQ(F("0.00", 9.995), "10,00");
    EXPECT_EQ(F("#,##0", 999.5), "1.000");
    EXPECT_EQ(F("0", 0.5), "1");
    EXPECT_EQ(F("0", -0.5), "-1");
    // Negatives that round to zero show no minus sign.
    EXPECT_EQ(F("#,##0.00", -0.004), "0,00");
    EXPECT_EQ(F("0", -0.4), "0");
    EXPECT_EQ(F("#,##0.00", -0.0), "0,00");
}

TEST(FormatFloatTest, PlaceholdersGroupingAndLiterals) {
    EXPECT_EQ(F("#,##0.00", 0), "0,00");
    EXPECT_EQ(F("#,##0.000", 0.5), "0,500");
    EXPECT_EQ(F("#,##0.00", -1234567.891), "-1.234.567,89");
    EXPECT_EQ(F("#,##0.00", 1234567890123.0), "1.234.567.890.123,00");
    EXPECT_EQ(F("#,##0", 100000), "100.000");
    EXPECT_EQ(F("#,##0", 1e20), "100.000.000.000.000.000.000");

    // '#' only where significant: no digits and no separator for zero.
    EXPECT_EQ(F("#.##", 0), "");
    EXPECT_EQ(F("#.##", 0.5), ",5");
    EXPECT_EQ(F("#.##", 1.5), "1,5");
    EXPECT_EQ(F("0.0#", 2), "2,0");
    EXPECT_EQ(F("0.0#", 2.125), "2,13");
    EXPECT_EQ(F("000", 7), "007");
    EXPECT_EQ(F("#00", 7), "07");

    // Literals: anything that is not notation, quoted text, placement among digits.
    EXPECT_EQ(F("#0.00 %", 12.5), "12,50 %");
    EXPECT_EQ(F("R$ #,##0.00", 1500), "R$ 1.500,00");
    EXPECT_EQ(F("\"0.#,\" 0", 5), "0.#, 5");
    EXPECT_EQ(F("000-000", 123456), "123-456");
    EXPECT_EQ(F("00-00", 123456), "1234-56");
    EXPECT_EQ(F("R$ 0", -5), "-R$ 5");

    // Scientific notation.
    EXPECT_EQ(F("0.00E+00", 12345), "1,23E+04");
    EXPECT_EQ(F("0.00E-00", 12345), "1,23E04");
    EXPECT_EQ(F("0.00e+0", 9.999e9), "1,00e+10");
    EXPECT_EQ(F("0.00E+00", 0), "0,00E+00");

    // Separators come from the settings.
    EXPECT_EQ(F("#,##0.00", 1234.56, EnUS()), "1,234.56");
    EXPECT_EQ(F("#,##0.00", -1234567.891, EnUS()), "-1,234,567.89");

    EXPECT_EQ(F("", 1234.5), "1234,5");
}

TEST(FormatFloatTest, Sections) {
    const char* three = "#,##0.00;(#,##0.00);\"zero\"";
    EXPECT_EQ(F(three, -1234.5), "(1.234,50)");
    EXPECT_EQ(F(three, 0), "zero");
    // Rounding to zero picks the zero section, whatever the sign.
    EXPECT_EQ(F(three, -0.001), "zero");
    EXPECT_EQ(F(three, 0.001), "zero");

    // An empty negative section falls back to the first one, with the sign.
    EXPECT_EQ(F("0.0;;-", -2), "-2,0");
    EXPECT_EQ(F("0.0;;-", 0), "-");
    // Without a zero section zero uses the first.
    EXPECT_EQ(F("0.0;[0.0]", 0), "0,0");
    EXPECT_EQ(F("0.0;[0.0]", -0.01), "0,0");
    EXPECT_EQ(F("0.0;[0.0]", -3), "[3,0]");
    // A quoted ';' does not split sections.
    EXPECT_EQ(F("0\";\"0", 12), "1;2");
}

TEST(FormatFloatTest, FloatToStrAndParsing) {
    EXPECT_EQ(FloatToStr(1234.5, kBR), "1234,5");
    EXPECT_EQ(FloatToStr(-0.25, kBR), "-0,25");
    EXPECT_EQ(FloatToStr(0.1 + 0.2, kBR), "0,3");
    EXPECT_EQ(FloatToStr(-0.0, kBR), "0");
    EXPECT_EQ(FloatToStr(123456789012345.0, kBR), "123456789012345");
    EXPECT_EQ(FloatToStr(1.5e20, kBR), "1,5E20");
    EXPECT_EQ(FloatToStr(0.00001, kBR), "0,00001");
    EXPECT_EQ(FloatToStr(0.000001, kBR), "1E-6");
    EXPECT_EQ(FloatToStr(1234.5, EnUS()), "1234.5");

    double v = 0;
    EXPECT_TRUE(TryStrToFloat("1.234,56", v, kBR));
    EXPECT_DOUBLE_EQ(v, 1234.56);
    EXPECT_TRUE(TryStrToFloat(" -1.234.567,5 ", v, kBR));
    EXPECT_DOUBLE_EQ(v, -1234567.5);
    EXPECT_TRUE(TryStrToFloat("1234.56", v, kBR));
    EXPECT_DOUBLE_EQ(v, 1234.56);
    EXPECT_TRUE(TryStrToFloat("1.5", v, kBR));
    EXPECT_DOUBLE_EQ(v, 1.5);
    EXPECT_TRUE(TryStrToFloat(",5", v, kBR));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(TryStrToFloat("1,5E20", v, kBR));
    EXPECT_DOUBLE_EQ(v, 1.5e20);
    EXPECT_TRUE(TryStrToFloat("1,234.5", v, EnUS()));
    EXPECT_DOUBLE_EQ(v, 1234.5);
    for (double x : {1234.565, -0.000123, 1.5e20, 98765.4321})
        EXPECT_TRUE(TryStrToFloat(FloatToStr(x, kBR), v, kBR) && v == x) << x;

    v = 42;
    for (const char* bad :
         {"", " ", "-", "abc", "12a", "1,2,3", "1.23,4", "12.34.5", "1,5E", "1e999", "1..2"})
        EXPECT_FALSE(TryStrToFloat(QString::fromUtf8(bad), v, kBR)) << bad;
    EXPECT_FALSE(TryStrToFloat("1.234,5", v, EnUS()));
    EXPECT_EQ(v, 42);
}

TEST(EditMaskTest, ParseAndFormat) {
    const TEditMask m = TEditMask::Parse("!00:00;0; ");
    EXPECT_EQ(m.mask, "!00:00");
    EXPECT_FALSE(m.saveLiterals);
    EXPECT_EQ(m.blank, u' ');
    const TEditMask plain = TEditMask::Parse("00/00");
    EXPECT_EQ(plain.mask, "00/00");
    EXPECT_TRUE(plain.saveLiterals);
    EXPECT_EQ(plain.blank, u'_');
    EXPECT_EQ(TEditMask::Parse("0\\;0;1;*").mask, "0\\;0");
    EXPECT_EQ(TEditMask::Parse("0\\;0;1;*").blank, u'*');

    EXPECT_EQ(FormatMaskText("!00:00;0; ", "1430"), "14:30");
    EXPECT_EQ(FormatMaskText("00.000.000/0000-00;0;_", "12345678000195"), "12.345.678/0001-95");
    EXPECT_EQ(FormatMaskText("000.000.000-00;0;_", "12345678901"), "123.456.789-01");

    // Values that hold the literals already.
    EXPECT_EQ(FormatMaskText("00.000.000/0000-00;1;_", "12.345.678/0001-95"), "12.345.678/0001-95");
    EXPECT_EQ(FormatMaskText("00/00/0000;1;_", "01/02/2024"), "01/02/2024");
    EXPECT_EQ(FormatMaskText("00/00/0000;1;_", "01022024"), "01/02/2024");
    EXPECT_EQ(FormatMaskText("000.000.000-00;0;_", "123.456.789-01"), "123.456.789-01");

    // Missing characters are blanks: at the end, or at the start with '!'.
    EXPECT_EQ(FormatMaskText("000.000.000-00;0;_", "12345"), "123.45 .   -  ");
    EXPECT_EQ(FormatMaskText("!00:00;0; ", "930"), " 9:30");
    EXPECT_EQ(FormatMaskText("!00:00;1; ", "9:30"), " 9:30");
    // Extra characters are dropped.
    EXPECT_EQ(FormatMaskText("00-00;0;_", "123456"), "12-34");

    // Case rules.
    EXPECT_EQ(FormatMaskText(">aaaa;0; ", "ab1z"), "AB1Z");
    EXPECT_EQ(FormatMaskText(">L<llll;0; ", "mARIA"), "Maria");
    EXPECT_EQ(FormatMaskText(">LL<>ll;0; ", "abCd"), "ABCd");

    // Escapes and blank literals.
    EXPECT_EQ(FormatMaskText("\\A00;0;_", "12"), "A12");
    EXPECT_EQ(FormatMaskText("00\\900;0;_", "1234"), "12934");
    EXPECT_EQ(FormatMaskText("00_00;0;_", "1234"), "12 34");

    EXPECT_EQ(FormatMaskText("", "anything"), "anything");
    EXPECT_EQ(FormatMaskText(";0;_", "anything"), "anything");
}

namespace {

// A wall-clock reading, as dates come back from their numbers.
QDateTime Wall(QDate date, QTime time) {
    return QDateTime(date, time, Qt::UTC);
}

} // namespace

TEST(OleDateTest, ConversionsAndRoundTrips) {
    const QDate epoch(1899, 12, 30);
    EXPECT_EQ(DateToOle(epoch), 0);
    EXPECT_EQ(DateToOle(QDate(1900, 1, 1)), 2);
    EXPECT_EQ(DateToOle(QDate(2024, 2, 29)), 45351);
    EXPECT_EQ(DateToOle(QDate()), 0);
    EXPECT_EQ(DateTimeToOle(QDateTime()), 0);
    EXPECT_DOUBLE_EQ(DateTimeToOle(QDateTime(QDate(2024, 2, 29), QTime(18, 0))), 45351.75);

    // Before the epoch: negative days, the time still counts forward.
    EXPECT_DOUBLE_EQ(DateTimeToOle(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
    EXPECT_EQ(OleToDateTime(-1.25), Wall(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_EQ(OleToDateTime(-2.5), Wall(QDate(1899, 12, 28), QTime(12, 0)));
    EXPECT_EQ(OleToDate(-1), QDate(1899, 12, 29));
    EXPECT_EQ(OleToDateTime(0.25), Wall(epoch, QTime(6, 0)));

    EXPECT_FALSE(OleToDateTime(0).isValid());
    EXPECT_FALSE(OleToDate(0).isValid());
    EXPECT_EQ(OleToDate(45351.99), QDate(2024, 2, 29));

    // Times round to the millisecond; a fraction a hair short of midnight is the next day.
    EXPECT_EQ(OleToDateTime(45351.0 + 1.0 / 3).time(), QTime(8, 0));
    EXPECT_EQ(OleToDateTime(45351.9999999999), Wall(QDate(2024, 3, 1), QTime(0, 0)));

    for (const QDateTime& dt : {Wall(QDate(2024, 2, 29), QTime(23, 59, 59, 999)),
                                Wall(QDate(1999, 12, 31), QTime(12, 34, 56, 789)),
                                Wall(QDate(1800, 7, 4), QTime(0, 0, 0, 1)),
                                Wall(QDate(9999, 12, 31), QTime(13, 14, 15, 16))}) {
        const double ole = DateTimeToOle(dt);
        EXPECT_EQ(OleToDateTime(ole), dt) << dt.toString(Qt::ISODateWithMs).toStdString();
        EXPECT_EQ(DateTimeToOle(OleToDateTime(ole)), ole);
    }
    for (double ole : {45351.123456789, -700.987654321, 0.000001, 2958465.5})
        EXPECT_EQ(DateTimeToOle(OleToDateTime(DateTimeToOle(OleToDateTime(ole)))),
                  DateTimeToOle(OleToDateTime(ole)))
            << ole;
}

// Where summer time starts at midnight (as it did in Brazil until 2019), that
// day has no local midnight. Its date is still a date, shown and kept as it is.
TEST(OleDateTest, ADayWhoseMidnightSummerTimeSkipsKeepsItsDate) {
    // The process's time zone for this test only, however it ends.
    struct TZoneGuard {
        QByteArray zone = qgetenv("TZ");
        bool had = qEnvironmentVariableIsSet("TZ");
        explicit TZoneGuard(const char* posix) {
            qputenv("TZ", posix);
            tzset();
        }
        ~TZoneGuard() {
            if (had)
                qputenv("TZ", zone);
            else
                qunsetenv("TZ");
            tzset();
        }
    } brazil("BRT3BRST,M11.1.0/0,M2.3.0/0");
    TCurrentSettingsGuard guard;
    TFormatSettings::SetCurrent(TFormatSettings::PtBR());
    const double day = DateToOle(QDate(2018, 11, 4));
    for (const double ole : {day, day + 0.5}) {
        SCOPED_TRACE(ole);
        const QDateTime dt = OleToDateTime(ole);
        ASSERT_TRUE(dt.isValid());
        EXPECT_EQ(dt.date(), QDate(2018, 11, 4));
        EXPECT_EQ(DateTimeToOle(dt), ole);
    }
    EXPECT_EQ(OleToDateTime(day).time(), QTime(0, 0));
    EXPECT_EQ(OleToText(day), "04/11/2018");
}

TEST(OleDateTest, TextUsesTheCurrentSettings) {
    TCurrentSettingsGuard guard;
    TFormatSettings::SetCurrent(TFormatSettings::PtBR());
    EXPECT_EQ(OleToText(45351), "29/02/2024");
    EXPECT_EQ(OleToText(45351.75), "29/02/2024 18:00:00");
    EXPECT_EQ(OleToText(0), "");

    TFormatSettings::SetCurrent(EnUS());
    EXPECT_EQ(OleToText(45351), "2/29/2024");
    EXPECT_EQ(TFormatSettings::Current().decimalSeparator, u'.');

    const TFormatSettings br =
        TFormatSettings::FromLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    EXPECT_EQ(br.decimalSeparator, u',');
    EXPECT_EQ(br.thousandSeparator, u'.');
    EXPECT_EQ(br.shortDateFormat, "dd/MM/yyyy");
    EXPECT_EQ(br.longTimeFormat, "HH:mm:ss");
    const TFormatSettings us =
        TFormatSettings::FromLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(us.decimalSeparator, u'.');
    EXPECT_EQ(us.thousandSeparator, u',');
    EXPECT_TRUE(us.shortDateFormat.contains("yyyy"));
    EXPECT_FALSE(us.longTimeFormat.contains(u't'));
}
