#include "core/db/SqlText.h"

#include <QRegularExpression>

QString ContainsPattern(const QString& text) {
    QString p;
    p.reserve(text.size() + 8);
    p += u'%';
    for (const QChar ch : text) {
        if (ch == u'\\' || ch == u'%' || ch == u'_')
            p += u'\\';
        p += ch;
    }
    p += u'%';
    return p;
}

QString ContainsCondition(const QString& column, const QString& param) {
    return QStringLiteral("ore_fold(%1) LIKE ore_fold(:%2) ESCAPE '\\'").arg(column, param);
}

QString ListParam(TDialect dialect, const QStringList& values) {
    // A JSON array on SQLite, an array literal on PostgreSQL: every element
    // quoted, its quotes and backslashes escaped, and for JSON its control
    // characters too.
    const bool json = dialect == TDialect::SQLite;
    QString text;
    qsizetype size = 2;
    for (const QString& v : values)
        size += v.size() + 3;
    text.reserve(size);
    text += json ? u'[' : u'{';
    for (const QString& v : values) {
        if (text.size() > 1)
            text += u',';
        text += u'"';
        for (const QChar ch : v) {
            if (ch == u'"' || ch == u'\\') {
                text += u'\\';
            } else if (json && ch.unicode() < 0x20) {
                text += QStringLiteral("\\u%1").arg(int(ch.unicode()), 4, 16, QLatin1Char('0'));
                continue;
            }
            text += ch;
        }
        text += u'"';
    }
    text += json ? u']' : u'}';
    return text;
}

QString InListCondition(TDialect dialect, const QString& column, const QString& param) {
    if (dialect == TDialect::SQLite)
        return QStringLiteral("%1 IN (SELECT value FROM json_each(:%2))").arg(column, param);
    return QStringLiteral("%1 = ANY (CAST(:%2 AS TEXT[]))").arg(column, param);
}

namespace {

// Whether `piece` holds anything but blanks and comments.
bool HasCode(const QString& piece) {
    static const QRegularExpression comments(QStringLiteral("--[^\\n]*|/\\*.*?\\*/"),
                                             QRegularExpression::DotMatchesEverythingOption);
    return !QString(piece).remove(comments).trimmed().isEmpty();
}

} // namespace

QStringList SplitSqlScript(const QString& script) {
    QStringList out;
    const qsizetype n = script.size();
    qsizetype start = 0;
    qsizetype i = 0;
    auto flush = [&](qsizetype end) {
        const QString piece = script.mid(start, end - start).trimmed();
        if (HasCode(piece))
            out.append(piece);
    };
    while (i < n) {
        const QChar ch = script.at(i);
        if (ch == u'-' && i + 1 < n && script.at(i + 1) == u'-') {
            const qsizetype e = script.indexOf(u'\n', i);
            i = e < 0 ? n : e + 1;
        } else if (ch == u'/' && i + 1 < n && script.at(i + 1) == u'*') {
            const qsizetype e = script.indexOf(QStringLiteral("*/"), i + 2);
            i = e < 0 ? n : e + 2;
        } else if (ch == u'\'' || ch == u'"') {
            // A doubled quote inside reads as the end and a new start: same result.
            const qsizetype e = script.indexOf(ch, i + 1);
            i = e < 0 ? n : e + 1;
        } else if (ch == u'$') {
            static const QRegularExpression tag(
                QStringLiteral("\\G\\$([A-Za-z_][A-Za-z0-9_]*)?\\$"));
            const auto m = tag.match(script, i);
            if (m.hasMatch()) {
                const qsizetype e = script.indexOf(m.captured(0), i + m.capturedLength());
                i = e < 0 ? n : e + m.capturedLength();
            } else {
                ++i;
            }
        } else if (ch == u';') {
            flush(i);
            start = ++i;
        } else {
            ++i;
        }
    }
    flush(n);
    return out;
}
