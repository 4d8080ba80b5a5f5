#include "core/wire/WireVariant.h"

#include "core/data/OleDate.h"
#include "core/wire/SharedBytes.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <limits>

namespace {

constexpr quint64 kInt64Max = quint64(std::numeric_limits<qint64>::max());

void Write(QCborStreamWriter& w, const QVariant& v, int depth);

void WriteArray(QCborStreamWriter& w, const QVariantList& list, int depth) {
    if (depth >= Wire::kMaxDepth)
        throw EWireError(QStringLiteral("Valor não transmissível: listas aninhadas em mais de %1 "
                                        "níveis.")
                             .arg(Wire::kMaxDepth));
    w.startArray(quint64(list.size()));
    for (const QVariant& item : list)
        Write(w, item, depth + 1);
    w.endArray();
}

void WriteDate(QCborStreamWriter& w, double ole) {
    w.append(QCborTag(Wire::kTagOleDateTime));
    w.append(ole);
}

void Write(QCborStreamWriter& w, const QVariant& v, int depth) {
    if (!v.isValid()) {
        w.append(nullptr);
        return;
    }
    const QMetaType type = v.metaType();
    switch (type.id()) {
    case QMetaType::Nullptr:
        w.append(nullptr);
        return;
    case QMetaType::Bool:
        w.append(v.toBool());
        return;
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::SChar:
        w.append(qint64(v.toLongLong()));
        return;
    case QMetaType::UShort:
    case QMetaType::UInt:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::UChar: {
        const quint64 u = v.toULongLong();
        if (u > kInt64Max)
            throw EWireError(
                QStringLiteral("Valor não transmissível: o inteiro %1 excede 64 bits com sinal.")
                    .arg(u));
        w.append(qint64(u));
        return;
    }
    case QMetaType::Double:
        w.append(v.toDouble());
        return;
    case QMetaType::Float:
        w.append(double(v.toFloat()));
        return;
    case QMetaType::QString:
        w.append(v.toString());
        return;
    case QMetaType::QDateTime:
        WriteDate(w, DateTimeToOle(v.toDateTime()));
        return;
    case QMetaType::QDate:
        WriteDate(w, DateToOle(v.toDate()));
        return;
    case QMetaType::QVariantList:
        WriteArray(w, v.toList(), depth);
        return;
    case QMetaType::QStringList: {
        QVariantList list;
        for (const QString& s : v.toStringList())
            list.append(s);
        WriteArray(w, list, depth);
        return;
    }
    default:
        break;
    }
    if (type == QMetaType::fromType<TOleDateTime>()) {
        WriteDate(w, v.value<TOleDateTime>().value);
        return;
    }
    if (type == QMetaType::fromType<TDataPacket>()) {
        const TDataPacket packet = v.value<TDataPacket>();
        w.append(QCborTag(Wire::kTagEmbeddedCbor));
        w.appendByteString(packet.Bytes().constData(), packet.Size());
        return;
    }
    throw EWireError(QStringLiteral("Valor não transmissível: o tipo \"%1\" não tem representação "
                                    "nas chamadas ao servidor.")
                         .arg(QString::fromLatin1(type.name())));
}

} // namespace

namespace Wire {

void WriteVariant(QCborStreamWriter& w, const QVariant& v) {
    Write(w, v, 0);
}

QByteArray EncodeVariant(const QVariant& v) {
    QByteArray bytes;
    QCborStreamWriter w(&bytes);
    Write(w, v, 0);
    return bytes;
}

QVariant DecodeVariant(const QByteArray& bytes) {
    TWireReader r(bytes, QStringLiteral("Valor inválido"));
    QVariant v = r.Variant();
    r.ExpectEnd();
    return v;
}

} // namespace Wire

// ---- TWireReader ------------------------------------------------------------

TWireReader::TWireReader(const QByteArray& bytes, QString context)
    : m_r(bytes), m_bytes(bytes), m_context(std::move(context)) {}

namespace {

// Qt's own descriptions are English: the operator reads these.
QString CborProblem(QCborError err) {
    switch (err.c) {
    case QCborError::GarbageAtEnd:
        return QStringLiteral("bytes sobrando depois dos dados");
    case QCborError::UnexpectedBreak:
        return QStringLiteral("fim de lista fora de lugar");
    case QCborError::UnknownType:
    case QCborError::IllegalType:
        return QStringLiteral("tipo de item inválido");
    case QCborError::IllegalNumber:
        return QStringLiteral("número codificado de forma inválida");
    case QCborError::IllegalSimpleType:
        return QStringLiteral("valor simples inválido");
    case QCborError::InvalidUtf8String:
        return QStringLiteral("texto que não é UTF-8 válido");
    case QCborError::DataTooLarge:
        return QStringLiteral("item grande demais");
    case QCborError::NestingTooDeep:
        return QStringLiteral("itens aninhados demais");
    default:
        return QStringLiteral("dados ilegíveis");
    }
}

// The size of a CBOR item's head (its initial byte and the argument after
// it) from that byte.
qint64 HeadSize(quint8 initial) {
    const int info = initial & 0x1f;
    return info < 24 ? 1 : 1 + (qint64(1) << (info - 24));
}

} // namespace

void TWireReader::Fail(const QString& why) {
    const QCborError err = m_r.lastError();
    QString text = why;
    // The reader's own error says more than the item we were after.
    if (err == QCborError::EndOfFile)
        text = QStringLiteral("dados truncados");
    else if (err != QCborError::NoError)
        text = QStringLiteral("CBOR malformado (%1)").arg(CborProblem(err));
    throw EWireError(QStringLiteral("%1: %2.").arg(m_context, text));
}

// `why` is put together only when the check fails: a check runs for every
// item read, and formatting its message each time cost more than the read.
void TWireReader::Check(bool ok, const char* why, const QString& what) {
    if (!ok || m_r.lastError() != QCborError::NoError)
        Fail(what.isNull() ? QString::fromUtf8(why) : QString::fromUtf8(why).arg(what));
}

QString TWireReader::Text(const QString& what) {
    Check(m_r.isString(), "esperado texto em %1", what);
    QString s;
    auto r = m_r.readString();
    while (r.status == QCborStreamReader::Ok) {
        s += r.data;
        r = m_r.readString();
    }
    Check(r.status == QCborStreamReader::EndOfString, "texto ilegível em %1", what);
    return s;
}

QByteArray TWireReader::Bytes(const QString& what) {
    Check(m_r.isByteArray(), "esperada cadeia de bytes em %1", what);
    // A large string of one piece (a list's packets run to tens of
    // megabytes) shares the buffer being read instead of being copied out.
    if (m_r.isLengthKnown() && m_r.length() >= Wire::kSharedBytesFrom) {
        const qint64 at = m_r.currentOffset();
        const qint64 n = qint64(m_r.length());
        Check(m_r.next(), "cadeia de bytes ilegível em %1", what); // fails if truncated
        return SharedBytes(m_bytes, at + HeadSize(quint8(m_bytes.at(at))), n);
    }
    QByteArray b;
    auto r = m_r.readByteArray();
    while (r.status == QCborStreamReader::Ok) {
        b += r.data;
        r = m_r.readByteArray();
    }
    Check(r.status == QCborStreamReader::EndOfString, "cadeia de bytes ilegível em %1", what);
    return b;
}

qint64 TWireReader::Integer(const QString& what) {
    Check(m_r.isInteger(), "esperado inteiro em %1", what);
    const qint64 v = IntegerValue();
    Check(m_r.next(), "%1", what);
    return v;
}

qint64 TWireReader::IntegerValue() {
    if (m_r.isUnsignedInteger()) {
        const quint64 u = m_r.toUnsignedInteger();
        if (u > kInt64Max)
            Fail(QStringLiteral("inteiro %1 fora do intervalo de 64 bits").arg(u));
        return qint64(u);
    }
    // CBOR stores -1 - n; the magnitude of the most negative qint64 is 2^63.
    const quint64 magnitude = quint64(m_r.toNegativeInteger());
    Check(magnitude != 0 && magnitude <= kInt64Max + 1,
          "inteiro negativo fora do intervalo de 64 bits");
    return -qint64(magnitude - 1) - 1;
}

bool TWireReader::Boolean(const QString& what) {
    Check(m_r.isBool(), "esperado valor lógico em %1", what);
    const bool b = m_r.toBool();
    Check(m_r.next(), "%1", what);
    return b;
}

qint64 TWireReader::EnterMap(const QString& what) {
    Check(m_r.isMap(), "esperado mapa em %1", what);
    const qint64 n = m_r.isLengthKnown() ? qint64(m_r.length()) : -1;
    Check(m_r.enterContainer(), "mapa ilegível em %1", what);
    return n;
}

qint64 TWireReader::EnterArray(const QString& what) {
    Check(m_r.isArray(), "esperada lista em %1", what);
    const qint64 n = m_r.isLengthKnown() ? qint64(m_r.length()) : -1;
    Check(m_r.enterContainer(), "lista ilegível em %1", what);
    return n;
}

bool TWireReader::HasNext() {
    const bool more = m_r.hasNext();
    Check(true, "contêiner ilegível");
    return more;
}

void TWireReader::Leave() {
    Check(!m_r.hasNext(), "itens a mais num contêiner");
    Check(m_r.leaveContainer(), "contêiner ilegível");
}

void TWireReader::ExpectEnd() {
    Check(m_r.currentOffset() == m_bytes.size(), "dados a mais depois do valor");
}

QVariant TWireReader::ArrayValue(int depth) {
    if (depth >= Wire::kMaxDepth)
        Fail(QStringLiteral("listas aninhadas em mais de %1 níveis").arg(Wire::kMaxDepth));
    const qint64 n = EnterArray(QStringLiteral("lista"));
    QVariantList list;
    // Every item takes at least one byte: a stated length cannot make us
    // reserve more than the input could hold.
    if (n > 0)
        list.reserve(qsizetype(std::min<qint64>(n, m_bytes.size() - m_r.currentOffset())));
    while (HasNext())
        list.append(Variant(depth + 1));
    Leave();
    return list;
}

QVariant TWireReader::Variant(int depth) {
    Check(true, "valor ilegível");
    QVariant v;
    switch (m_r.type()) {
    case QCborStreamReader::UnsignedInteger:
    case QCborStreamReader::NegativeInteger:
        v = IntegerValue();
        break;
    case QCborStreamReader::String:
        return Text(QStringLiteral("texto"));
    case QCborStreamReader::Array:
        return ArrayValue(depth);
    case QCborStreamReader::Tag: {
        const quint64 tag = quint64(m_r.toTag());
        Check(m_r.next(), "etiqueta ilegível");
        if (tag == Wire::kTagOleDateTime) {
            if (m_r.isDouble())
                v = QVariant::fromValue(TOleDateTime{m_r.toDouble()});
            else if (m_r.isFloat())
                v = QVariant::fromValue(TOleDateTime{double(m_r.toFloat())});
            else if (m_r.isFloat16())
                v = QVariant::fromValue(TOleDateTime{double(float(m_r.toFloat16()))});
            else
                Fail(QStringLiteral("data-hora sem número"));
            break;
        }
        if (tag == Wire::kTagEmbeddedCbor)
            return QVariant::fromValue(TDataPacket(Bytes(QStringLiteral("pacote de dados"))));
        Fail(QStringLiteral("etiqueta CBOR %1 desconhecida").arg(tag));
    }
    case QCborStreamReader::Float16:
        v = double(float(m_r.toFloat16()));
        break;
    case QCborStreamReader::Float:
        v = double(m_r.toFloat());
        break;
    case QCborStreamReader::Double:
        v = m_r.toDouble();
        break;
    case QCborStreamReader::SimpleType:
        if (m_r.isFalse() || m_r.isTrue())
            v = m_r.toBool();
        else if (m_r.isNull())
            v = QVariant();
        else if (m_r.isUndefined())
            Fail(QStringLiteral("valor indefinido"));
        else
            Fail(QStringLiteral("valor simples %1 desconhecido").arg(int(m_r.toSimpleType())));
        break;
    case QCborStreamReader::ByteArray:
        Fail(QStringLiteral("cadeia de bytes fora de um pacote de dados"));
    case QCborStreamReader::Map:
        Fail(QStringLiteral("mapa onde se esperava um valor"));
    case QCborStreamReader::Invalid:
        Fail(QStringLiteral("valor ausente"));
    }
    Check(m_r.next(), "valor ilegível");
    return v;
}
