#include "core/data/FilterExpression.h"

#include "core/data/Exceptions.h"

namespace {

[[noreturn]] void Fail(const QString& text, const QString& why) {
    throw EDatabaseError(QStringLiteral("Expressão de filtro inválida: \"%1\" (%2). "
                                        "Use CAMPO = 'valor', unidos por AND.")
                             .arg(text, why));
}

class Parser {
public:
    explicit Parser(const QString& text) : m_text(text) {}

    TFilterExpression Run() {
        TFilterExpression expr;
        SkipBlanks();
        if (AtEnd())
            return expr; // an empty filter shows every row
        for (;;) {
            TFilterCondition cond;
            cond.field = Identifier();
            SkipBlanks();
            Expect(u'=');
            SkipBlanks();
            cond.value = Quoted();
            expr.conditions.push_back(std::move(cond));
            const bool blank = SkipBlanks();
            if (AtEnd())
                return expr;
            if (!blank || !Keyword(QStringLiteral("AND")))
                Fail(m_text, QStringLiteral("esperado AND na posição %1").arg(m_pos + 1));
            if (!SkipBlanks())
                Fail(m_text, QStringLiteral("esperado um espaço após AND"));
        }
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    QChar Peek() const { return m_text.at(m_pos); }

    bool SkipBlanks() {
        const qsizetype start = m_pos;
        while (!AtEnd() && Peek().isSpace())
            ++m_pos;
        return m_pos > start;
    }

    void Expect(QChar c) {
        if (AtEnd() || Peek() != c)
            Fail(m_text, QStringLiteral("esperado \"%1\" na posição %2").arg(c).arg(m_pos + 1));
        ++m_pos;
    }

    bool Keyword(const QString& word) {
        if (m_text.mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) != 0)
            return false;
        m_pos += word.size();
        return true;
    }

    QString Identifier() {
        const qsizetype start = m_pos;
        auto isStart = [](QChar c) { return c.isLetter() || c == u'_'; };
        if (AtEnd() || !isStart(Peek()))
            Fail(m_text, QStringLiteral("esperado um nome de campo na posição %1").arg(m_pos + 1));
        while (!AtEnd() && (isStart(Peek()) || Peek().isDigit()))
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

    QString Quoted() {
        Expect(u'\'');
        QString value;
        for (;;) {
            if (AtEnd())
                Fail(m_text, QStringLiteral("texto sem o apóstrofo final"));
            const QChar c = Peek();
            ++m_pos;
            if (c != u'\'') {
                value += c;
                continue;
            }
            if (!AtEnd() && Peek() == u'\'') { // '' stands for one quote
                value += c;
                ++m_pos;
                continue;
            }
            return value;
        }
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

TFilterExpression TFilterExpression::Parse(const QString& text) {
    return Parser(text).Run();
}
