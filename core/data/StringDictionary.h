#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

// The distinct values of a text column, each kept once as UTF-8 and decoded
// to a QString on its first read. Rows hold ids into it: columns of budgets
// repeat a few values (branch, units, flags, names), so this saves memory and
// lets every read share one QString instead of allocating its own.
class TStringDictionary {
public:
    // The id of `bytes` (from 1), adding it when new.
    quint32 Intern(std::string_view bytes);
    // The id of `bytes`, or 0 when the dictionary does not hold it.
    quint32 Find(std::string_view bytes) const;

    std::string_view Bytes(quint32 id) const {
        return std::string_view(m_text.data() + m_offsets[id - 1],
                                m_offsets[id] - m_offsets[id - 1]);
    }
    // Decoded on first read and kept; an empty value stays a null QString.
    const QString& Text(quint32 id) const {
        QString& s = m_decoded[id - 1];
        if (s.isNull() && m_offsets[id] != m_offsets[id - 1])
            Decode(id);
        return s;
    }

    quint32 Size() const { return quint32(m_offsets.size() - 1); }
    size_t MemoryBytes() const;

private:
    static size_t Hash(std::string_view bytes);
    void Decode(quint32 id) const;
    void Grow();

    std::vector<quint32> m_offsets{0}; // value id is [off[id-1], off[id])
    std::string m_text;
    std::vector<quint64> m_slots;           // open addressing over ids; 0 = empty
    mutable std::vector<QString> m_decoded; // one per value, null until read
};
