#include "HostText.h"

#include "FormatSettings.h"

#include <QWidget>

#include <charconv>
#include <cmath>
#include <string>

bool EmptyString(const QString& s) {
    return s.trimmed().isEmpty();
}

QString Ajusta(const QString& s, int width) {
    const QString code = s.trimmed();
    if (code.isEmpty() || code.size() > width)
        return s;
    return code.rightJustified(width, u'0');
}

void Ajusta_Inscricao(QString& s) {
    s.removeIf(
        [](QChar c) { return c == u'.' || c == u'/' || c == u'-' || c == u'_' || c.isSpace(); });
}

QString PictPess(const QString& kind) {
    const QString k = kind.trimmed().toUpper();
    if (k == u"F")
        return QStringLiteral("000.000.000-00;0;_");
    if (k == u"J")
        return QStringLiteral("00.000.000/0000-00;0;_");
    return {};
}

namespace {

// Adds one unit to the last digit of `digits` (only '0'..'9' and one '.'),
// carrying to the left; "9.99" -> "10.00".
void Increment(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        char& c = digits[i];
        if (c == '.')
            continue;
        if (c != '9') {
            ++c;
            return;
        }
        c = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

double RoundDec(double x, int digits) {
    if (!std::isfinite(x) || digits < 0)
        return x;
    // The shortest decimal that reads back as x is the number the operator
    // typed or saw; rounding it, not the binary value, gives the cent expected.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed);
    if (res.ec != std::errc())
        return x;
    std::string text(buf, res.ptr);
    const auto dot = text.find('.');
    if (dot == std::string::npos || text.size() - dot - 1 <= size_t(digits))
        return x;
    const bool up = text[dot + 1 + size_t(digits)] >= '5';
    text.resize(digits == 0 ? dot : dot + 1 + size_t(digits));
    if (up)
        Increment(text);
    double out = 0;
    std::from_chars(text.data(), text.data() + text.size(), out);
    if (out == 0)
        return 0.0; // no "-0,00" on screen
    return x < 0 ? -out : out;
}

QString DateMask() {
    QString mask = QStringLiteral("!");
    for (QChar c : TFormatSettings::Current().shortDateFormat)
        mask += (c == u'd' || c == u'M' || c == u'y') ? QChar(u'9') : c;
    return mask + QStringLiteral(";1;_");
}

void SetChildEnabled(QWidget* box, bool on) {
    if (!box)
        return;
    for (QWidget* w : box->findChildren<QWidget*>())
        w->setEnabled(on);
}
