#include "rpc/Args.h"

#include <QLocale>

#include <cmath>

namespace {

// OLE days of 1 January 100 and of the day after 31 December 9999: the
// dates a date-time can show.
constexpr double kFirstDay = -657434;
constexpr double kEndDay = 2958466;

QString Label(int i, const QString& name) {
    return name.isEmpty() ? QString::number(i + 1) : QStringLiteral("%1 (%2)").arg(i + 1).arg(name);
}

QString NumberText(double v) {
    if (std::isnan(v))
        return QStringLiteral("NaN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("infinito") : QStringLiteral("menos infinito");
    const int shortest = QLocale::FloatingPointShortest;
    return std::fabs(v) < 1e9 ? QString::number(v, 'f', shortest)
                              : QString::number(v, 'g', shortest);
}

} // namespace

QString TArgs::KindName(const QVariant& v) {
    if (!v.isValid())
        return QStringLiteral("nulo");
    const QMetaType type = v.metaType();
    if (type == QMetaType::fromType<bool>())
        return QStringLiteral("um valor lógico");
    if (type == QMetaType::fromType<qint64>())
        return QStringLiteral("um inteiro");
    if (type == QMetaType::fromType<double>())
        return QStringLiteral("um número");
    if (type == QMetaType::fromType<QString>())
        return QStringLiteral("um texto");
    if (type == QMetaType::fromType<TOleDateTime>())
        return QStringLiteral("uma data-hora");
    if (type == QMetaType::fromType<QVariantList>())
        return QStringLiteral("uma lista");
    if (type == QMetaType::fromType<TDataPacket>())
        return QStringLiteral("um pacote de dados");
    return QStringLiteral("um valor do tipo %1").arg(QString::fromLatin1(type.name()));
}

const TArgs& TArgs::Count(int n) const {
    if (m_args.size() != n)
        throw EArgumentError(
            QStringLiteral("A chamada espera %1 %2, mas recebeu %3.")
                .arg(n)
                .arg(n == 1 ? QStringLiteral("argumento") : QStringLiteral("argumentos"))
                .arg(m_args.size()));
    return *this;
}

const QVariant& TArgs::At(int i, const QString& name) const {
    if (i < 0 || i >= m_args.size())
        throw EArgumentError(QStringLiteral("Falta o argumento %1.").arg(Label(i, name)));
    return m_args[i];
}

void TArgs::Wrong(int i, const QString& name, const QString& expected) const {
    throw EArgumentError(QStringLiteral("O argumento %1 deve ser %2, mas veio %3.")
                             .arg(Label(i, name), expected, KindName(m_args[i])));
}

void TArgs::Invalid(int i, const QString& name, const QString& expected, double value) const {
    throw EArgumentError(QStringLiteral("O argumento %1 deve ser %2, mas veio %3.")
                             .arg(Label(i, name), expected, NumberText(value)));
}

double TArgs::CheckedDate(int i, const QString& name, double day) const {
    // Written so that NaN fails too.
    if (!(day >= kFirstDay && day < kEndDay))
        Invalid(i, name, QStringLiteral("uma data válida"), day);
    return day;
}

bool TArgs::IsNull(int i) const {
    return !At(i, {}).isValid();
}

QString TArgs::String(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() != QMetaType::fromType<QString>())
        Wrong(i, name, QStringLiteral("um texto"));
    return v.toString();
}

qint64 TArgs::Integer(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() != QMetaType::fromType<qint64>())
        Wrong(i, name, QStringLiteral("um inteiro"));
    return v.toLongLong();
}

double TArgs::Double(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() != QMetaType::fromType<double>() &&
        v.metaType() != QMetaType::fromType<qint64>())
        Wrong(i, name, QStringLiteral("um número"));
    const double d = v.toDouble();
    if (!std::isfinite(d))
        Invalid(i, name, QStringLiteral("um número finito"), d);
    return d;
}

bool TArgs::Boolean(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() != QMetaType::fromType<bool>())
        Wrong(i, name, QStringLiteral("um valor lógico"));
    return v.toBool();
}

TOleDateTime TArgs::DateTime(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() != QMetaType::fromType<TOleDateTime>())
        Wrong(i, name, QStringLiteral("uma data-hora"));
    return {CheckedDate(i, name, v.value<TOleDateTime>().value)};
}

double TArgs::Date(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() == QMetaType::fromType<TOleDateTime>())
        return DateTime(i, name).value;
    if (v.metaType() != QMetaType::fromType<double>() &&
        v.metaType() != QMetaType::fromType<qint64>())
        Wrong(i, name, QStringLiteral("uma data-hora ou um número"));
    return CheckedDate(i, name, v.toDouble());
}

QVariantList TArgs::Array(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() != QMetaType::fromType<QVariantList>())
        Wrong(i, name, QStringLiteral("uma lista"));
    return v.toList();
}

TDataPacket TArgs::Packet(int i, const QString& name) const {
    const QVariant& v = At(i, name);
    if (v.metaType() != QMetaType::fromType<TDataPacket>())
        Wrong(i, name, QStringLiteral("um pacote de dados"));
    return v.value<TDataPacket>();
}

std::optional<TDataPacket> TArgs::PacketOrNull(int i, const QString& name) const {
    if (!At(i, name).isValid())
        return std::nullopt;
    return Packet(i, name);
}
