#include "core/data/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

// A non-negative number as decimal digits: value = 0.d1d2d3... x 10^point.
// Rounding works on these digits, so that 1234.565 rounds the way it was written
// and not the way its binary approximation (1234.56499...) would.
struct TDecimal {
    std::string digits; // no leading zeros; empty for zero
    int point = 0;

    bool IsZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

TDecimal ToDecimal(double magnitude) {
    TDecimal d;
    if (magnitude == 0)
        return d;
    // The shortest text that reads back as the same double: the digits the value was written with.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific);
    const std::string text(buf, res.ptr);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits += text[i];
    }
    d.point = std::stoi(text.substr(e + 1)) + 1;
    return d;
}

// Keeps the first `keep` digits, rounding half away from zero.
void RoundKeep(TDecimal& d, int keep) {
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d = {};
        return;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.point = 0;
}

void RoundDecimals(TDecimal& d, int decimals) {
    RoundKeep(d, d.point + decimals);
}

// The integer part's digits, without leading zeros.
std::string IntegerDigits(const TDecimal& d) {
    if (d.point <= 0)
        return {};
    std::string s = d.digits.substr(0, std::min<std::size_t>(d.point, d.digits.size()));
    s.resize(d.point, '0');
    return s;
}

// The first `count` digits after the decimal point.
std::string FractionDigits(const TDecimal& d, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) {
        const int index = d.point + i;
        s += index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[index] : '0';
    }
    return s;
}

QString NonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// ---- display formats ------------------------------------------------------------------------

enum class TTokenKind { Literal, IntDigit, FracDigit, DecimalPoint, Exponent };

struct TToken {
    TTokenKind kind;
    QString text; // Literal: the text; Exponent: "E" or "e"
    QChar placeholder = u'0';
    bool expAlwaysSigned = false;
    int expMinDigits = 0;
};

struct TSection {
    std::vector<TToken> tokens;
    int intCount = 0;
    int intMinDigits = 0; // placeholders from the first '0' to the decimal point
    int fracCount = 0;
    int fracMinDigits = 0; // placeholders up to the last '0' after the decimal point
    bool grouping = false;
    bool scientific = false;
    bool hasDecimalPoint = false;
};

QStringList SplitSections(const QString& format) {
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u';') {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

TSection ParseSection(const QString& format) {
    TSection s;
    auto literal = [&s](const QString& text) {
        if (!s.tokens.empty() && s.tokens.back().kind == TTokenKind::Literal)
            s.tokens.back().text += text;
        else
            s.tokens.push_back({TTokenKind::Literal, text});
    };
    int firstIntZero = -1;
    const int n = format.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = format[i];
        if (c == u'"' || c == u'\'') {
            const int end = format.indexOf(c, i + 1);
            const int stop = end < 0 ? n : end;
            literal(format.mid(i + 1, stop - i - 1));
            i = stop;
        } else if (c == u'0' || c == u'#') {
            if (s.scientific) {
                // Digits after E+ belong to the exponent.
                literal(c);
            } else if (s.hasDecimalPoint) {
                s.tokens.push_back({TTokenKind::FracDigit, {}, c});
                ++s.fracCount;
                if (c == u'0')
                    s.fracMinDigits = s.fracCount;
            } else {
                s.tokens.push_back({TTokenKind::IntDigit, {}, c});
                if (c == u'0' && firstIntZero < 0)
                    firstIntZero = s.intCount;
                ++s.intCount;
            }
        } else if (c == u'.' && !s.scientific) {
            if (!s.hasDecimalPoint) {
                s.hasDecimalPoint = true;
                s.tokens.push_back({TTokenKind::DecimalPoint, {}});
            }
        } else if (c == u',' && !s.scientific) {
            if (!s.hasDecimalPoint)
                s.grouping = true;
        } else if ((c == u'E' || c == u'e') && !s.scientific && i + 1 < n &&
                   (format[i + 1] == u'+' || format[i + 1] == u'-')) {
            TToken exp{TTokenKind::Exponent, QString(c)};
            exp.expAlwaysSigned = format[i + 1] == u'+';
            i += 2;
            int digits = 0;
            while (i < n && (format[i] == u'0' || format[i] == u'#')) {
                if (format[i] == u'0')
                    exp.expMinDigits = ++digits;
                else
                    ++digits;
                ++i;
            }
            --i;
            exp.expMinDigits = std::max(exp.expMinDigits, 1);
            s.tokens.push_back(exp);
            s.scientific = true;
        } else {
            literal(c);
        }
    }
    s.intMinDigits = firstIntZero < 0 ? 0 : s.intCount - firstIntZero;
    return s;
}

struct TRendered {
    std::string intDigits;
    std::string fracDigits; // trailing optional zeros already left out
    int exponent = 0;
    bool zero = true;
};

TRendered Render(const TSection& s, double magnitude) {
    TRendered r;
    TDecimal d = ToDecimal(magnitude);
    if (s.scientific) {
        const int intDigits = std::max(s.intCount, 1);
        RoundKeep(d, intDigits + s.fracCount);
        r.zero = d.IsZero();
        if (!r.zero) {
            r.exponent = d.point - intDigits;
            d.point = intDigits;
        }
    } else {
        RoundDecimals(d, s.fracCount);
        r.zero = d.IsZero();
    }
    r.intDigits = IntegerDigits(d);
    if (static_cast<int>(r.intDigits.size()) < s.intMinDigits)
        r.intDigits.insert(0, s.intMinDigits - r.intDigits.size(), '0');
    r.fracDigits = FractionDigits(d, s.fracCount);
    while (static_cast<int>(r.fracDigits.size()) > s.fracMinDigits && r.fracDigits.back() == '0')
        r.fracDigits.pop_back();
    return r;
}

QString Apply(const TSection& s, const TRendered& r, bool minus, const TFormatSettings& fs) {
    QString out;
    if (minus)
        out += u'-';
    const int len = static_cast<int>(r.intDigits.size());
    auto emitIntDigit = [&](int p) {
        out += QLatin1Char(r.intDigits[p]);
        const int rest = len - 1 - p;
        if (s.grouping && !s.scientific && rest > 0 && rest % 3 == 0)
            out += fs.thousandSeparator;
    };
    // Integer digits line up with the placeholders from the right; any extra
    // digits go where the first placeholder is.
    const int offset = len - s.intCount;
    int intIndex = 0;
    int fracIndex = 0;
    bool intDone = s.intCount > 0;
    auto emitAllIntDigits = [&]() {
        if (!intDone) {
            for (int p = 0; p < len; ++p)
                emitIntDigit(p);
            intDone = true;
        }
    };
    for (const TToken& t : s.tokens) {
        switch (t.kind) {
        case TTokenKind::Literal:
            out += t.text;
            break;
        case TTokenKind::IntDigit: {
            const int k = intIndex + offset;
            if (k >= 0) {
                for (int p = intIndex == 0 ? 0 : k; p <= k; ++p)
                    emitIntDigit(p);
            }
            ++intIndex;
            break;
        }
        case TTokenKind::DecimalPoint:
            emitAllIntDigits();
            if (!r.fracDigits.empty())
                out += fs.decimalSeparator;
            break;
        case TTokenKind::FracDigit:
            if (fracIndex < static_cast<int>(r.fracDigits.size()))
                out += QLatin1Char(r.fracDigits[fracIndex]);
            ++fracIndex;
            break;
        case TTokenKind::Exponent: {
            emitAllIntDigits();
            out += t.text;
            if (r.exponent < 0)
                out += u'-';
            else if (t.expAlwaysSigned)
                out += u'+';
            out += QString::number(std::abs(r.exponent)).rightJustified(t.expMinDigits, u'0');
            break;
        }
        }
    }
    return out;
}

} // namespace

QString FloatToStr(double value, const TFormatSettings& fs) {
    if (!std::isfinite(value))
        return NonFiniteText(value);
    TDecimal d = ToDecimal(std::fabs(value));
    RoundKeep(d, 15);
    if (d.IsZero())
        return QStringLiteral("0");
    QString out;
    if (value < 0)
        out += u'-';
    const auto digits = QString::fromLatin1(d.digits.data(), static_cast<int>(d.digits.size()));
    if (d.point > 15 || d.point < -4) {
        // Too large or too small to read as plain digits: 1,5E20, 1E-6.
        out += digits.front();
        if (digits.size() > 1)
            out += fs.decimalSeparator + digits.mid(1);
        out += u'E' + QString::number(d.point - 1);
    } else if (d.point <= 0) {
        out += u'0' + QString(fs.decimalSeparator) + QString(-d.point, u'0') + digits;
    } else if (d.point >= digits.size()) {
        out += digits + QString(d.point - digits.size(), u'0');
    } else {
        out += digits.left(d.point) + fs.decimalSeparator + digits.mid(d.point);
    }
    return out;
}

QString FormatFloat(const QString& format, double value, const TFormatSettings& fs) {
    if (format.isEmpty())
        return FloatToStr(value, fs);
    if (!std::isfinite(value))
        return NonFiniteText(value);

    const QStringList sections = SplitSections(format);
    auto sectionText = [&sections](int i) { return i < sections.size() ? sections[i] : QString(); };
    const bool hasNegative = !sectionText(1).isEmpty();
    const bool hasZero = !sectionText(2).isEmpty();

    const bool negative = value < 0;
    const TSection s = ParseSection(negative && hasNegative ? sectionText(1) : sectionText(0));
    const TRendered r = Render(s, std::fabs(value));
    if (r.zero) {
        // A value that rounds to zero shows as zero would: no minus sign, no negative section.
        const TSection zero = ParseSection(sectionText(hasZero ? 2 : 0));
        return Apply(zero, Render(zero, 0), false, fs);
    }
    return Apply(s, r, negative && !hasNegative, fs);
}

bool TryStrToFloat(const QString& text, double& value, const TFormatSettings& fs) {
    const QString s = text.trimmed();
    const QChar dec = fs.decimalSeparator;
    const QChar th = fs.thousandSeparator;
    int i = 0;
    const int n = s.size();
    std::string plain;
    if (i < n && (s[i] == u'-' || s[i] == u'+'))
        plain += s[i++].toLatin1();

    // The mantissa: digits, group separators and one decimal point.
    QString mantissa;
    while (i < n && (s[i].isDigit() || s[i] == dec || s[i] == th || s[i] == u'.'))
        mantissa += s[i++];
    if (mantissa.isEmpty())
        return false;

    // A single "." with no decimal separator of `fs` is a plain decimal point, even
    // where "." groups thousands: "1.5" and "1234.56" come from other systems.
    QChar point = dec;
    if (!mantissa.contains(dec) && mantissa.count(u'.') == 1)
        point = u'.';
    const int pointAt = mantissa.indexOf(point);
    if (pointAt >= 0 && mantissa.indexOf(point, pointAt + 1) >= 0)
        return false;
    const QString intPart = pointAt < 0 ? mantissa : mantissa.left(pointAt);
    const QString fracPart = pointAt < 0 ? QString() : mantissa.mid(pointAt + 1);

    // Group separators only in the integer part, three digits to a group.
    const QStringList groups = intPart.split(th);
    if (groups.size() > 1) {
        if (groups.front().isEmpty() || groups.front().size() > 3)
            return false;
        for (int g = 1; g < groups.size(); ++g) {
            if (groups[g].size() != 3)
                return false;
        }
    }
    const QString digits = groups.join(QString());
    for (const QChar c : digits + fracPart) {
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    }
    if (digits.isEmpty() && fracPart.isEmpty())
        return false;
    plain += digits.toStdString();
    if (pointAt >= 0)
        plain += '.' + fracPart.toStdString();

    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        plain += 'e';
        ++i;
        if (i < n && (s[i] == u'-' || s[i] == u'+'))
            plain += s[i++].toLatin1();
        const int start = i;
        while (i < n && s[i].isDigit() && s[i].unicode() < 128)
            plain += s[i++].toLatin1();
        if (i == start)
            return false;
    }
    if (i != n)
        return false;

    // from_chars reads no leading "+".
    const char* first = plain.data();
    if (*first == '+')
        ++first;
    double parsed = 0;
    const auto res = std::from_chars(first, plain.data() + plain.size(), parsed);
    if (res.ec != std::errc() || res.ptr != plain.data() + plain.size())
        return false;
    value = parsed;
    return true;
}
