// Observations kept as RTF: the text and its emphasis come out, control words
// and tables never do.

#include "framework/widgets/RtfText.h"
#include "framework/widgets/DBRichView.h"
#include "tests/framework/DBTestUtil.h"

#include <QTextBlock>
#include <QTextDocument>

namespace {

QString PlainText(const QString& rtf) {
    QTextDocument document;
    RtfToDocument(rtf, document);
    return document.toPlainText();
}

// The character format of the run that holds `text`.
QTextCharFormat FormatOf(const QString& rtf, const QString& text) {
    QTextDocument document;
    RtfToDocument(rtf, document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    ADD_FAILURE() << "no run holds " << text.toStdString();
    return {};
}

const QString kObservation =
    QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Tahoma;}}\\viewkind4"
                   "\\uc1\\pard\\b Observa\\'e7\\'f5es:\\b0  servi\\'e7o de buffet\\par }");

// As a word processor writes it: colour table, generator, paragraph settings,
// nested groups, italic and underline, \u with its fallback.
const QString kLetter = QStringLiteral(
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1046"
    "{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}{\\f1\\fswiss Arial;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green77\\blue187;}\r\n"
    "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
    "\\pard\\sa200\\sl276\\slmult1\\cf1\\f0\\fs22\\lang22 Cliente pediu {\\i decora\\'e7\\'e3o "
    "em tons past\\'e9is}\\cf0 .\\par\r\n"
    "\\ul Sinal pago\\ulnone : R$ 1.500,00 \\endash  valor em \\u8364?uros n\\u227?o\\par\r\n"
    "\\par\r\n"
    "Ver \\{contrato\\}\\tab anexo\\par\r\n}");

} // namespace

TEST(RtfText, ObservationShowsItsTextWithTheBoldHeading) {
    EXPECT_EQ(PlainText(kObservation), QStringLiteral("Observações: serviço de buffet"));
    EXPECT_EQ(FormatOf(kObservation, QStringLiteral("Observações:")).fontWeight(), QFont::Bold);
    EXPECT_EQ(FormatOf(kObservation, QStringLiteral("serviço")).fontWeight(), QFont::Normal);
}

TEST(RtfText, WordProcessorTextKeepsParagraphsEmphasisAndSpecialCharacters) {
    EXPECT_EQ(PlainText(kLetter), QStringLiteral("Cliente pediu decoração em tons pastéis.\n"
                                                 "Sinal pago: R$ 1.500,00 – valor em €uros não\n"
                                                 "\n"
                                                 "Ver {contrato}\tanexo"));
    EXPECT_TRUE(FormatOf(kLetter, QStringLiteral("pastéis")).fontItalic());
    EXPECT_FALSE(FormatOf(kLetter, QStringLiteral("Cliente")).fontItalic()) << "group ended";
    EXPECT_TRUE(FormatOf(kLetter, QStringLiteral("Sinal pago")).fontUnderline());
    EXPECT_FALSE(FormatOf(kLetter, QStringLiteral(": R$")).fontUnderline());
}

TEST(RtfText, CodePageEscapesBeyondLatin1AndPlainDetection) {
    EXPECT_EQ(PlainText(QStringLiteral("{\\rtf1\\ansi \\'93ok\\'94 \\'80 5\\'96 \\b0\\plain x}")),
              QStringLiteral("\u201Cok\u201D \u20AC 5\u2013 x"));
    EXPECT_TRUE(IsRtf(kObservation));
    EXPECT_FALSE(IsRtf(QStringLiteral("Observações sem formatação")));
}

TEST_F(DBControlsTest, RichViewShowsFormattedObservationsAndPlainTextAsItIs) {
    auto* view = Bind(window.Add<TDBRichView>(), source, "DSOBSERVACAO");
    EXPECT_TRUE(view->isReadOnly());
    budgets.Edit();
    Field("DSOBSERVACAO").SetAsString(kLetter);
    EXPECT_TRUE(view->toPlainText().startsWith(QStringLiteral("Cliente pediu decoração")));
    EXPECT_FALSE(view->toPlainText().contains(u'\\'));
    EXPECT_FALSE(view->toPlainText().contains(QStringLiteral("Calibri")));

    Field("DSOBSERVACAO").SetAsString(QStringLiteral("{sem rtf} \\b texto"));
    EXPECT_EQ(view->toPlainText(), QStringLiteral("{sem rtf} \\b texto"));
}
