#include "core/data/Field.h"

#include "core/data/DataSet.h"
#include "core/data/EditMask.h"
#include "core/data/Exceptions.h"
#include "core/data/NumberFormat.h"
#include "core/data/OleDate.h"

TField::TField(TDataSet& dataSet, int index, TFieldDef def)
    : m_dataSet(dataSet), m_index(index), m_def(std::move(def)) {}

bool TField::IsNull() const {
    return m_dataSet.FieldIsNull(m_index);
}

QVariant TField::Value() const {
    return m_dataSet.FieldValue(m_index);
}

QString TField::AsString() const {
    return m_dataSet.FieldString(m_index);
}

double TField::AsFloat() const {
    return m_dataSet.FieldDouble(m_index);
}

qint64 TField::AsInteger() const {
    switch (m_def.kind) {
    case TFieldKind::Integer:
    case TFieldKind::Boolean:
        return IsNull() ? 0 : Value().toLongLong();
    default: {
        const double d = AsFloat();
        return qint64(d < 0 ? d - 0.5 : d + 0.5);
    }
    }
}

bool TField::AsBoolean() const {
    const QVariant v = Value();
    if (!v.isValid())
        return false;
    if (m_def.kind == TFieldKind::String || m_def.kind == TFieldKind::Memo) {
        const QString s = v.toString().trimmed().toUpper();
        return s == u"S" || s == u"T" || s == u"TRUE" || s == u"1";
    }
    return v.toBool();
}

double TField::AsDateTime() const {
    return AsFloat();
}

QByteArray TField::AsBytes() const {
    const QVariant v = Value();
    if (!v.isValid())
        return {};
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

void TField::SetValue(const QVariant& v) {
    m_dataSet.SetFieldValue(m_index, Coerce(v));
}
void TField::SetAsString(const QString& v) {
    SetValue(v);
}
void TField::SetAsFloat(double v) {
    SetValue(v);
}
void TField::SetAsInteger(qint64 v) {
    SetValue(v);
}
void TField::SetAsBoolean(bool v) {
    SetValue(v);
}
void TField::SetAsDateTime(double v) {
    SetValue(v);
}
void TField::SetAsBytes(const QByteArray& v) {
    SetValue(v);
}
void TField::Clear() {
    m_dataSet.SetFieldValue(m_index, QVariant());
}

QVariant TField::Coerce(const QVariant& v) const {
    if (!v.isValid() || v.isNull())
        return {};
    const bool isText = v.typeId() == QMetaType::QString;
    auto notA = [&](const QString& what) {
        return EDatabaseError(QStringLiteral("\"%1\" não é %2 válido para o campo %3.")
                                  .arg(v.toString(), what, m_def.name));
    };
    switch (m_def.kind) {
    case TFieldKind::String: {
        QString s = v.toString();
        const qsizetype n = CharacterCount(s);
        if (m_def.size > 0 && n > m_def.size)
            throw EDatabaseError(
                QStringLiteral("O valor \"%1\" excede o tamanho do campo %2 (%3 caracteres).")
                    .arg(s, m_def.name)
                    .arg(m_def.size));
        if (m_def.fixed && n < m_def.size)
            s += QString(m_def.size - n, u' ');
        return s;
    }
    case TFieldKind::Memo:
        return v.toString();
    case TFieldKind::Blob:
        return v.typeId() == QMetaType::QByteArray ? v : QVariant(v.toString().toUtf8());
    case TFieldKind::Float:
    case TFieldKind::DateTime: {
        double d = 0;
        bool ok = true;
        if (isText)
            ok = TryStrToFloat(v.toString(), d);
        else
            d = v.toDouble(&ok);
        if (!ok)
            throw notA(m_def.kind == TFieldKind::Float ? QStringLiteral("um número")
                                                       : QStringLiteral("uma data"));
        return d;
    }
    case TFieldKind::Integer: {
        bool ok = true;
        const qint64 i = v.toLongLong(&ok);
        if (!ok)
            throw notA(QStringLiteral("um número inteiro"));
        return i;
    }
    case TFieldKind::Boolean:
        return v.toBool();
    }
    return v;
}

QString TField::DisplayText() const {
    if (OnGetText) {
        QString text;
        OnGetText(*this, text, true);
        return text;
    }
    if (IsNull())
        return {};
    if (m_def.kind == TFieldKind::Float && !m_def.displayFormat.isEmpty())
        return FormatFloat(m_def.displayFormat, AsFloat());
    if (!m_def.editMask.isEmpty() &&
        (m_def.kind == TFieldKind::String || m_def.kind == TFieldKind::Memo))
        return FormatMaskText(m_def.editMask, AsString());
    return AsString();
}

QString TField::Text() const {
    if (OnGetText) {
        QString text;
        OnGetText(*this, text, false);
        return text;
    }
    if (IsNull())
        return {};
    if (m_def.kind == TFieldKind::Float) {
        const QString& fmt = m_def.editFormat.isEmpty() ? m_def.displayFormat : m_def.editFormat;
        if (!fmt.isEmpty())
            return FormatFloat(fmt, AsFloat());
    }
    return AsString();
}
