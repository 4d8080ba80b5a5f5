#pragma once

#include "core/data/DataPacket.h"
#include "core/data/Exceptions.h"

#include <QByteArray>
#include <QCborStreamReader>
#include <QCborStreamWriter>
#include <QMetaType>
#include <QVariant>

// A date-time as it travels in calls: an OLE Automation date (days since
// 1899-12-30, fraction = time of day; 0 = no date). A type of its own, so that
// a date stays distinguishable from a plain double on the wire.
struct TOleDateTime {
    double value = 0;
    bool operator==(const TOleDateTime&) const = default;
};

Q_DECLARE_METATYPE(TOleDateTime)

// A value that cannot be written, or bytes that do not decode as a call value.
class EWireError : public Exception {
public:
    using Exception::Exception;
};

// The variant kinds of a call's arguments and results, as QVariants:
//   null      invalid QVariant (or std::nullptr_t)
//   Boolean   bool
//   integer   qint64 (any integral type is accepted for writing)
//   double    double (float accepted for writing)
//   string    QString
//   date-time TOleDateTime (QDateTime and QDate accepted for writing)
//   array     QVariantList of any of these (QStringList accepted for writing)
//   packet    TDataPacket
// Reading always yields the canonical type of each kind.
namespace Wire {

// Arrays nested deeper than this are refused both ways; a call needs two or
// three levels, and the limit keeps hostile input from exhausting the stack.
constexpr int kMaxDepth = 32;

// Private tag of the date-time: an unregistered number from the CBOR tag
// registry's first-come-first-served range ("OLED" in ASCII).
constexpr quint64 kTagOleDateTime = 0x4F4C4544;
// Registered tag "embedded CBOR data item", carrying a data packet's bytes.
constexpr quint64 kTagEmbeddedCbor = 24;

// Byte strings (data packets) this large are not copied: a reader gives them
// out as slices of the buffer it reads, and an encoding in pieces keeps them
// as pieces of their own.
constexpr qint64 kSharedBytesFrom = 64 * 1024;

// Writes one value; throws EWireError for a type that has no wire kind.
void WriteVariant(QCborStreamWriter& w, const QVariant& v);

// One value of a whole encoding: no trailing bytes.
QByteArray EncodeVariant(const QVariant& v);
QVariant DecodeVariant(const QByteArray& bytes); // throws EWireError

} // namespace Wire

// Reads CBOR with the checks every reader of call data needs: each failure,
// malformed or truncated input included, throws EWireError with the message
// "<context>: <what is wrong>.".
class TWireReader {
public:
    TWireReader(const QByteArray& bytes, QString context);

    QCborStreamReader& Raw() { return m_r; }

    QVariant Variant(int depth = 0);
    QString Text(const QString& what);
    qint64 Integer(const QString& what);
    bool Boolean(const QString& what);

    // Enters a map or array; length -1 when the encoding did not state it.
    qint64 EnterMap(const QString& what);
    qint64 EnterArray(const QString& what);
    bool HasNext();
    void Leave();
    // Nothing may follow the top-level item.
    void ExpectEnd();

    [[noreturn]] void Fail(const QString& why);

private:
    // Fails with `why`, its %1 replaced by `what` when given.
    void Check(bool ok, const char* why, const QString& what = QString());
    QVariant ArrayValue(int depth);
    qint64 IntegerValue();
    QByteArray Bytes(const QString& what);

    QCborStreamReader m_r;
    const QByteArray m_bytes; // shares the caller's buffer; const, so reading it never copies
    QString m_context;
};
