#include "framework/services/HostText.h"

#include "core/data/DataSet.h"
#include "core/data/EditMask.h"
#include "core/data/FormatSettings.h"
#include "core/data/NumberFormat.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

bool EmptyString(const QString& s) {
    return s.trimmed().isEmpty();
}

QString Ajusta(const QString& s, int width) {
    const QString code = s.trimmed();
    if (code.isEmpty() || code.size() > width)
        return s;
    return code.rightJustified(width, u'0');
}

QString Ajusta_Inscricao(QString& s) {
    s.removeIf(
        [](QChar c) { return c == u'.' || c == u'/' || c == u'-' || c == u'_' || c.isSpace(); });
    const bool digits =
        std::all_of(s.cbegin(), s.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (digits && s.size() == 11)
        return QStringLiteral("F");
    if (digits && s.size() == 14)
        return QStringLiteral("J");
    return {};
}

QString PictPess(const QString& kind) {
    const QString k = kind.trimmed().toUpper();
    if (k == u"F")
        return QStringLiteral("000.000.000-00;0;_");
    if (k == u"J")
        return QStringLiteral("00.000.000/0000-00;0;_");
    return {};
}

TField::GetTextHandler RegistrationText(const QString& kindField) {
    return [kindField](const TField& sender, QString& text, bool) {
        const QString kind = sender.DataSet().FieldByName(kindField).AsString();
        text = FormatMaskText(PictPess(kind), sender.AsString());
    };
}

double RoundDec(double x, int digits) {
    if (!std::isfinite(x) || digits < 0)
        return x;
    // Number formats already round on the digits a value is written with
    // (2.675, not 2.67499999...); a plain "." notation reads back exactly.
    TFormatSettings plain;
    plain.decimalSeparator = u'.';
    plain.thousandSeparator = u',';
    const QString format =
        digits == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(digits, u'0');
    return FormatFloat(format, x, plain).toDouble();
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
