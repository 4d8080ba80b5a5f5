#include "core/data/CborBytes.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <limits>

// ---- writing -----------------------------------------------------------------

void TCborWriter::Head(quint8 major, quint64 value) {
    char buf[9];
    const char m = char(major << 5);
    int n;
    if (value < 24) {
        buf[0] = char(m | char(value));
        n = 1;
    } else if (value <= 0xff) {
        buf[0] = char(m | 24);
        buf[1] = char(value);
        n = 2;
    } else if (value <= 0xffff) {
        buf[0] = char(m | 25);
        qToBigEndian(quint16(value), buf + 1);
        n = 3;
    } else if (value <= 0xffffffffu) {
        buf[0] = char(m | 26);
        qToBigEndian(quint32(value), buf + 1);
        n = 5;
    } else {
        buf[0] = char(m | 27);
        qToBigEndian(value, buf + 1);
        n = 9;
    }
    Put(buf, n);
}

void TCborWriter::String(quint8 major, std::string_view bytes) {
    Head(major, bytes.size());
    Put(bytes.data(), qsizetype(bytes.size()));
}

void TCborWriter::Text(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    String(3, std::string_view(utf8.constData(), size_t(utf8.size())));
}

void TCborWriter::Int(qint64 v) {
    if (v >= 0)
        Head(0, quint64(v));
    else
        Head(1, quint64(-1 - v));
}

void TCborWriter::Double(double v) {
    char buf[9];
    buf[0] = char(0xfb);
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    qToBigEndian(bits, buf + 1);
    Put(buf, 9);
}

// ---- reading -----------------------------------------------------------------

quint64 TCborCursor::Argument(quint8 info) {
    switch (info) {
    case 24:
        Need(1);
        return quint8(*m_p++);
    case 25: {
        Need(2);
        const quint64 v = qFromBigEndian<quint16>(m_p);
        m_p += 2;
        return v;
    }
    case 26: {
        Need(4);
        const quint64 v = qFromBigEndian<quint32>(m_p);
        m_p += 4;
        return v;
    }
    case 27: {
        Need(8);
        const quint64 v = qFromBigEndian<quint64>(m_p);
        m_p += 8;
        return v;
    }
    case 31:
        throw Error{"comprimento indefinido"};
    default:
        if (info < 24)
            return info;
        throw Error{"CBOR malformado"};
    }
}

quint64 TCborCursor::Head(quint8 major) {
    Need(1);
    const quint8 b = quint8(*m_p);
    if ((b >> 5) != major)
        throw Error{"tipo errado"};
    ++m_p;
    return Argument(b & 0x1f);
}

std::string_view TCborCursor::String(quint8 major) {
    const quint64 n = Head(major);
    if (n > quint64(m_end - m_p))
        throw Error{"truncado"};
    const std::string_view s(m_p, size_t(n));
    m_p += n;
    return s;
}

namespace {

// RFC 3629: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view s) {
    const auto* p = reinterpret_cast<const quint8*>(s.data());
    const auto* const end = p + s.size();
    while (p < end) {
        // Plain ASCII eight bytes at a time: most texts are nothing else.
        quint64 word;
        if (end - p >= 8 && (std::memcpy(&word, p, 8), (word & 0x8080808080808080ull) == 0)) {
            p += 8;
            continue;
        }
        const quint8 b = *p;
        int more;
        quint8 lo = 0x80, hi = 0xBF; // the allowed range of the second byte
        if (b < 0x80)
            more = 0;
        else if (b >= 0xC2 && b <= 0xDF)
            more = 1;
        else if (b >= 0xE0 && b <= 0xEF) {
            more = 2;
            if (b == 0xE0)
                lo = 0xA0;
            else if (b == 0xED)
                hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            more = 3;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F;
        } else
            return false;
        if (end - p <= more)
            return false;
        for (int i = 1; i <= more; ++i) {
            const quint8 c = p[i];
            if (c < (i == 1 ? lo : 0x80) || c > (i == 1 ? hi : 0xBF))
                return false;
        }
        p += 1 + more;
    }
    return true;
}

} // namespace

std::string_view TCborCursor::Text() {
    const std::string_view s = String(3);
    if (!IsUtf8(s))
        throw Error{"texto que não é UTF-8"};
    return s;
}

qint64 TCborCursor::Integer() {
    Need(1);
    const quint8 major = quint8(*m_p) >> 5;
    if (major > 1)
        throw Error{"tipo errado"};
    ++m_p;
    const quint64 v = Argument(quint8(m_p[-1]) & 0x1f);
    if (v > quint64(std::numeric_limits<qint64>::max()))
        throw Error{"inteiro fora do intervalo"};
    return major == 0 ? qint64(v) : -1 - qint64(v);
}

double TCborCursor::Number() {
    Need(1);
    const quint8 b = quint8(*m_p);
    if ((b >> 5) <= 1)
        return double(Integer());
    if (b == 0xfb) {
        Need(9);
        const quint64 bits = qFromBigEndian<quint64>(m_p + 1);
        m_p += 9;
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    if (b == 0xfa) {
        Need(5);
        const quint32 bits = qFromBigEndian<quint32>(m_p + 1);
        m_p += 5;
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return double(f);
    }
    if (b == 0xf9) { // half precision, as RFC 8949 appendix D decodes it
        Need(3);
        const int half = qFromBigEndian<quint16>(m_p + 1);
        m_p += 3;
        const int exp = (half >> 10) & 0x1f, mant = half & 0x3ff;
        double val;
        if (exp == 0)
            val = std::ldexp(mant, -24);
        else if (exp != 31)
            val = std::ldexp(mant + 1024, exp - 25);
        else
            val = mant == 0 ? std::numeric_limits<double>::infinity()
                            : std::numeric_limits<double>::quiet_NaN();
        return half & 0x8000 ? -val : val;
    }
    throw Error{"tipo errado"};
}

bool TCborCursor::Boolean() {
    Need(1);
    const quint8 b = quint8(*m_p);
    if (b != 0xf4 && b != 0xf5)
        throw Error{"tipo errado"};
    ++m_p;
    return b == 0xf5;
}
