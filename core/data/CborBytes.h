#pragma once

#include <QByteArray>
#include <QString>

#include <algorithm>
#include <cstring>
#include <string_view>

// Minimal CBOR (RFC 8949) writing and reading over bytes in memory, for data
// packets: definite lengths only, no copies of texts while reading. Packets
// of a large branch run to a hundred megabytes, where a general stream reader
// spends most of its time on bookkeeping.
class TCborWriter {
public:
    explicit TCborWriter(qsizetype reserve = 0) { m_out.resize(std::max<qsizetype>(reserve, 64)); }

    void Array(quint64 count) { Head(4, count); }
    void Map(quint64 count) { Head(5, count); }
    void Text(std::string_view utf8) { String(3, utf8); }
    void Text(const QString& text);
    void Bytes(std::string_view bytes) { String(2, bytes); }
    void Int(qint64 v);
    void Double(double v);
    void Bool(bool v) { Put(char(v ? 0xf5 : 0xf4)); }
    void Null() { Put(char(0xf6)); }
    // Items already encoded, appended as they are.
    void Raw(std::string_view items) { Put(items.data(), qsizetype(items.size())); }

    qsizetype Size() const { return m_size; }
    QByteArray Take() {
        m_out.truncate(m_size);
        return std::move(m_out);
    }

private:
    void Head(quint8 major, quint64 value);
    void String(quint8 major, std::string_view bytes);
    // Writes go straight into the buffer, which doubles when it is full.
    char* Room(qsizetype n) {
        if (m_size + n > m_out.size())
            m_out.resize(std::max(m_out.size() * 2, m_size + n));
        char* at = m_out.data() + m_size;
        m_size += n;
        return at;
    }
    void Put(char c) { *Room(1) = c; }
    void Put(const char* p, qsizetype n) { std::memcpy(Room(n), p, size_t(n)); }

    QByteArray m_out;
    qsizetype m_size = 0;
};

// Reads items in order; every read checks the bounds and the item's type and
// throws TCborCursor::Error (a short description) when they are wrong.
class TCborCursor {
public:
    struct Error {
        const char* what;
    };

    TCborCursor(const char* data, qsizetype size) : m_p(data), m_end(data + size) {}

    bool AtEnd() const { return m_p == m_end; }
    qsizetype Remaining() const { return m_end - m_p; }
    bool IsNull() const { return m_p < m_end && quint8(*m_p) == 0xf6; }
    void SkipNull() { ++m_p; }

    quint64 Array() { return Head(4); }
    quint64 Map() { return Head(5); }
    // Refuses text that is not valid UTF-8: every reader after this one takes
    // a text's characters as UTF-8 (sizes, padding, conversions).
    std::string_view Text();
    std::string_view ByteString() { return String(2); }
    qint64 Integer();
    double Number(); // a float of any width, or an integer
    bool Boolean();

private:
    quint64 Head(quint8 major);
    quint64 Argument(quint8 info);
    std::string_view String(quint8 major);
    void Need(qsizetype n) const {
        if (m_end - m_p < n)
            throw Error{"truncado"};
    }

    const char* m_p;
    const char* m_end;
};
