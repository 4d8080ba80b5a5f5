// Text and number helpers: codes, registration numbers, rounding to cents,
// and locking the controls of a panel as the operator meets them.

#include "core/data/EditMask.h"
#include "framework/services/HostText.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <cmath>

TEST(HostText, AjustaZeroFillsCodesAndNeverInventsOrCutsOne) {
    EXPECT_EQ(Ajusta(QStringLiteral("12"), 4), QStringLiteral("0012"));
    EXPECT_EQ(Ajusta(QStringLiteral("1001  "), 10), QStringLiteral("0000001001"));
    EXPECT_EQ(Ajusta(QStringLiteral("0001"), 4), QStringLiteral("0001"));
    EXPECT_EQ(Ajusta(QString(), 4), QString());
    EXPECT_EQ(Ajusta(QStringLiteral("   "), 4), QStringLiteral("   "));
    EXPECT_EQ(Ajusta(QStringLiteral("12345"), 4), QStringLiteral("12345"));
}

TEST(HostText, EmptyStringIsBlanksOnly) {
    EXPECT_TRUE(EmptyString(QString()));
    EXPECT_TRUE(EmptyString(QStringLiteral("  \t")));
    EXPECT_FALSE(EmptyString(QStringLiteral(" 0 ")));
}

TEST(HostText, RegistrationMasksAndNumbersRoundTrip) {
    EXPECT_EQ(PictPess(QStringLiteral("F")), QStringLiteral("000.000.000-00;0;_"));
    EXPECT_EQ(PictPess(QStringLiteral("j")), QStringLiteral("00.000.000/0000-00;0;_"));
    EXPECT_EQ(PictPess(QStringLiteral("X")), QString());
    EXPECT_EQ(PictPess(QString()), QString());

    // What a masked edit shows comes back to the bare number.
    QString cnpj = FormatMaskText(PictPess(QStringLiteral("J")), QStringLiteral("12345678000199"));
    EXPECT_EQ(cnpj, QStringLiteral("12.345.678/0001-99"));
    Ajusta_Inscricao(cnpj);
    EXPECT_EQ(cnpj, QStringLiteral("12345678000199"));

    QString typed = QStringLiteral(" 123.456.789-0_ ");
    Ajusta_Inscricao(typed);
    EXPECT_EQ(typed, QStringLiteral("1234567890"));
}

TEST(HostText, RoundDecRoundsHalfAwayFromZeroAsWrittenInDecimal) {
    struct Case {
        double x;
        int digits;
        double expected;
    };
    for (const Case& c : {Case{2.675, 2, 2.68}, Case{1.005, 2, 1.01}, Case{0.285, 2, 0.29},
                          Case{-2.675, 2, -2.68}, Case{2.665, 2, 2.67}, Case{1.0049999, 2, 1.0},
                          Case{9.995, 2, 10.0}, Case{123456789.125, 2, 123456789.13},
                          Case{2.5, 0, 3.0}, Case{-2.5, 0, -3.0}, Case{0.1 + 0.2, 2, 0.3},
                          Case{1234.5678, 3, 1234.568}, Case{1e20, 2, 1e20}, Case{7.0, 2, 7.0}})
        EXPECT_EQ(RoundDec(c.x, c.digits), c.expected) << c.x << " to " << c.digits;

    EXPECT_FALSE(std::signbit(RoundDec(-0.004, 2))); // never shown as "-0,00"
    EXPECT_TRUE(std::isnan(RoundDec(NAN, 2)));
}

TEST(HostText, DateMaskFollowsTheSessionDateFormat) {
    EXPECT_EQ(DateMask(), QStringLiteral("!99/99/9999;1;_"));
    EXPECT_EQ(FormatMaskText(DateMask(), QStringLiteral("25/12/2026")),
              QStringLiteral("25/12/2026"));
}

TEST(HostText, SetChildEnabledLocksEveryControlInsideButNotThePanel) {
    QWidget window;
    auto* box = new QGroupBox(&window);
    auto* edtNome = new QLineEdit(box);
    auto* inner = new QWidget(box);
    auto* edtCodigo = new QLineEdit(inner);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(edtNome);
    layout->addWidget(inner);
    (new QVBoxLayout(inner))->addWidget(edtCodigo);
    window.show();

    SetChildEnabled(box, false);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_FALSE(edtNome->isEnabled());
    EXPECT_FALSE(edtCodigo->isEnabled());
    QTest::keyClicks(edtCodigo, QStringLiteral("0001"));
    EXPECT_EQ(edtCodigo->text(), QString());

    SetChildEnabled(box, true);
    edtCodigo->setFocus();
    QTest::keyClicks(edtCodigo, QStringLiteral("0001"));
    EXPECT_EQ(edtCodigo->text(), QStringLiteral("0001"));
    EXPECT_TRUE(inner->isEnabled());
}
