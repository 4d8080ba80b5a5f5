#include "framework/widgets/RtfText.h"

#include <QTextCursor>
#include <QTextDocument>

#include <vector>

namespace {

QChar FromCodePage1252(int byte) {
    // 0x80-0x9F differ from Latin-1; the rest is the same.
    static const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? QChar(high[byte - 0x80]) : QChar(byte);
}

bool IsSkippedDestination(const QString& word) {
    static const QStringList words = {QStringLiteral("fonttbl"),
                                      QStringLiteral("colortbl"),
                                      QStringLiteral("stylesheet"),
                                      QStringLiteral("info"),
                                      QStringLiteral("pict"),
                                      QStringLiteral("object"),
                                      QStringLiteral("header"),
                                      QStringLiteral("footer"),
                                      QStringLiteral("headerl"),
                                      QStringLiteral("headerr"),
                                      QStringLiteral("headerf"),
                                      QStringLiteral("footerl"),
                                      QStringLiteral("footerr"),
                                      QStringLiteral("footerf"),
                                      QStringLiteral("fldinst"),
                                      QStringLiteral("listtable"),
                                      QStringLiteral("listoverridetable"),
                                      QStringLiteral("rsidtbl"),
                                      QStringLiteral("generator"),
                                      QStringLiteral("pntext"),
                                      QStringLiteral("pntxta"),
                                      QStringLiteral("pntxtb"),
                                      QStringLiteral("themedata"),
                                      QStringLiteral("latentstyles"),
                                      QStringLiteral("datastore"),
                                      QStringLiteral("xmlnstbl")};
    return words.contains(word);
}

QChar SymbolWord(const QString& word) {
    static const std::pair<const char*, char16_t> symbols[] = {
        {"emdash", 0x2014}, {"endash", 0x2013},    {"bullet", 0x2022},    {"lquote", 0x2018},
        {"rquote", 0x2019}, {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"tab", u'\t'},
        {"line", 0x2028},   {"emspace", u' '},     {"enspace", u' '}};
    for (const auto& [name, ch] : symbols) {
        if (word == QLatin1String(name))
            return QChar(ch);
    }
    return {};
}

class TRtfReader {
public:
    TRtfReader(const QString& rtf, QTextDocument& document) : m_rtf(rtf), m_cursor(&document) {}

    void Read() {
        qsizetype i = 0;
        while (i < m_rtf.size()) {
            const QChar c = m_rtf[i];
            if (c == u'{') {
                m_groups.push_back(m_state);
                ++i;
            } else if (c == u'}') {
                if (!m_groups.empty()) {
                    m_state = m_groups.back();
                    m_groups.pop_back();
                }
                m_skipChars = 0;
                ++i;
            } else if (c == u'\\') {
                i = ControlSymbol(i + 1);
            } else {
                if (c != u'\r' && c != u'\n')
                    Text(c);
                ++i;
            }
        }
        FlushRun();
    }

private:
    struct TState {
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool skip = false;
        int unicodeSkip = 1;
    };

    // Reads what follows a backslash at `i`; returns the position after it.
    qsizetype ControlSymbol(qsizetype i) {
        if (i >= m_rtf.size())
            return i;
        const QChar c = m_rtf[i];
        if (c.isLetter() && c.unicode() < 128)
            return ControlWord(i);
        if (c == u'\'') {
            bool ok = false;
            const int byte = m_rtf.mid(i + 1, 2).toInt(&ok, 16);
            if (ok)
                Text(FromCodePage1252(byte));
            return i + 3;
        }
        if (c == u'\\' || c == u'{' || c == u'}')
            Text(c);
        else if (c == u'~')
            Text(QChar(0x00A0));
        else if (c == u'_')
            Text(QChar(0x2011));
        else if (c == u'*')
            m_state.skip = true; // a destination that readers may ignore
        else if (c == u'\n' || c == u'\r')
            Paragraph();
        return i + 1;
    }

    qsizetype ControlWord(qsizetype i) {
        const qsizetype start = i;
        while (i < m_rtf.size() && m_rtf[i].isLetter() && m_rtf[i].unicode() < 128)
            ++i;
        const QString word = m_rtf.mid(start, i - start);
        const qsizetype paramStart = i;
        if (i < m_rtf.size() && m_rtf[i] == u'-')
            ++i;
        while (i < m_rtf.size() && m_rtf[i].isDigit())
            ++i;
        const bool hasParam = i > paramStart;
        const int param = hasParam ? m_rtf.mid(paramStart, i - paramStart).toInt() : 0;
        if (i < m_rtf.size() && m_rtf[i] == u' ')
            ++i; // the delimiter belongs to the word
        Word(word, hasParam, param);
        return i;
    }

    void Word(const QString& word, bool hasParam, int param) {
        const bool on = !hasParam || param != 0;
        if (word == QLatin1String("b"))
            m_state.bold = on;
        else if (word == QLatin1String("i"))
            m_state.italic = on;
        else if (word == QLatin1String("ul"))
            m_state.underline = on;
        else if (word == QLatin1String("ulnone"))
            m_state.underline = false;
        else if (word == QLatin1String("plain"))
            m_state.bold = m_state.italic = m_state.underline = false;
        else if (word == QLatin1String("par"))
            Paragraph();
        else if (word == QLatin1String("uc"))
            m_state.unicodeSkip = param;
        else if (word == QLatin1String("u")) {
            Text(QChar(char16_t(param < 0 ? param + 65536 : param)));
            m_skipChars = m_state.unicodeSkip; // the fallback for readers without \u
        } else if (IsSkippedDestination(word))
            m_state.skip = true;
        else if (const QChar symbol = SymbolWord(word); !symbol.isNull())
            Text(symbol);
    }

    void Text(QChar c) {
        if (m_state.skip)
            return;
        if (m_skipChars > 0) {
            --m_skipChars;
            return;
        }
        QTextCharFormat format;
        format.setFontWeight(m_state.bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(m_state.italic);
        format.setFontUnderline(m_state.underline);
        if (m_paragraphs > 0) {
            FlushRun();
            for (; m_paragraphs > 0; --m_paragraphs)
                m_cursor.insertBlock();
        } else if (format != m_runFormat) {
            FlushRun();
        }
        m_runFormat = format;
        m_run += c;
    }

    // Paragraph breaks wait for the text that follows them, so that the
    // closing \par of a document leaves no empty paragraph.
    void Paragraph() {
        if (!m_state.skip)
            ++m_paragraphs;
    }

    void FlushRun() {
        if (!m_run.isEmpty())
            m_cursor.insertText(m_run, m_runFormat);
        m_run.clear();
    }

    const QString& m_rtf;
    QTextCursor m_cursor;
    TState m_state;
    std::vector<TState> m_groups;
    int m_skipChars = 0;
    int m_paragraphs = 0;
    QString m_run;
    QTextCharFormat m_runFormat;
};

} // namespace

bool IsRtf(const QString& text) {
    return text.startsWith(QLatin1String("{\\rtf"));
}

void RtfToDocument(const QString& rtf, QTextDocument& document) {
    document.clear();
    TRtfReader(rtf, document).Read();
}
