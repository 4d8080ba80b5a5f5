#pragma once

#include <QByteArray>
#include <QMetaType>

// A data packet: one whole record set (field definitions, rows and each row's
// change state) as a CBOR document. Opaque to everyone but the record set; the
// layout is written in docs/protocol.md.
class TDataPacket {
public:
    static constexpr int Version = 1;

    TDataPacket() = default;
    explicit TDataPacket(QByteArray bytes) : m_bytes(std::move(bytes)) {}

    const QByteArray& Bytes() const { return m_bytes; }
    bool IsEmpty() const { return m_bytes.isEmpty(); }
    qsizetype Size() const { return m_bytes.size(); }
    bool operator==(const TDataPacket&) const = default;

private:
    QByteArray m_bytes;
};

Q_DECLARE_METATYPE(TDataPacket)
