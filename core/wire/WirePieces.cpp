#include "core/wire/WirePieces.h"

#include <QIODevice>

namespace {

// Receives what a QCborStreamWriter writes: its own bytes go into the piece
// being filled; a write of one of the shared buffers, which the writer hands
// over as it was given, closes that piece and is kept by reference.
class TPieceDevice : public QIODevice {
public:
    TPieceDevice(std::vector<QByteArray> shared, TWirePieces& pieces)
        : m_shared(std::move(shared)), m_pieces(pieces) {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }

    void Flush() {
        if (!m_current.isEmpty())
            m_pieces.Append(std::exchange(m_current, QByteArray()));
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        for (const QByteArray& s : m_shared)
            if (s.constData() == data && s.size() == size) {
                Flush();
                m_pieces.Append(s);
                return size;
            }
        m_current.append(data, size);
        return size;
    }

private:
    std::vector<QByteArray> m_shared;
    TWirePieces& m_pieces;
    QByteArray m_current;
};

} // namespace

TWirePieces::TWirePieces(QByteArray whole) {
    Append(std::move(whole));
}

TWirePieces TWirePieces::Write(const std::function<void(QCborStreamWriter&)>& write,
                               std::vector<QByteArray> shared) {
    TWirePieces pieces;
    TPieceDevice device(std::move(shared), pieces);
    QCborStreamWriter w(&device);
    write(w);
    device.Flush();
    return pieces;
}

void TWirePieces::Append(QByteArray piece) {
    if (piece.isEmpty())
        return;
    m_size += piece.size();
    m_pieces.push_back(std::move(piece));
}

QByteArray TWirePieces::Joined() const {
    if (m_pieces.size() == 1)
        return m_pieces.front();
    QByteArray whole;
    whole.reserve(m_size);
    for (const QByteArray& p : m_pieces)
        whole += p;
    return whole;
}
