#pragma once

#include <QByteArray>
#include <QCborStreamWriter>

#include <functional>
#include <vector>

// An encoding held as the pieces it was written in. Byte strings that already
// live in buffers of their own (the data packets of an answer, tens of
// megabytes for a list) are kept as references to those buffers instead of
// being copied next to the bytes around them; a server sends the pieces one
// after another.
class TWirePieces {
public:
    TWirePieces() = default;
    explicit TWirePieces(QByteArray whole);

    // Writes with `write`. A byte string whose bytes are exactly one of
    // `shared` (its buffer, its size) becomes a piece of its own.
    static TWirePieces Write(const std::function<void(QCborStreamWriter&)>& write,
                             std::vector<QByteArray> shared);

    // Adds a piece at the end (none for an empty one).
    void Append(QByteArray piece);

    const std::vector<QByteArray>& Pieces() const { return m_pieces; }
    qsizetype Size() const { return m_size; }
    // The encoding in one buffer.
    QByteArray Joined() const;

private:
    std::vector<QByteArray> m_pieces;
    qsizetype m_size = 0;
};
