#include "core/data/StringDictionary.h"

#include <functional>

size_t TStringDictionary::Hash(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

quint32 TStringDictionary::Find(std::string_view bytes) const {
    if (m_slots.empty())
        return 0;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = Hash(bytes) & mask;; i = (i + 1) & mask) {
        const quint32 id = m_slots[i];
        if (id == 0 || Bytes(id) == bytes)
            return id;
    }
}

quint32 TStringDictionary::Intern(std::string_view bytes) {
    if ((Size() + 1) * 4 >= m_slots.size() * 3) // keep the table under 3/4 full
        Grow();
    const size_t mask = m_slots.size() - 1;
    size_t i = Hash(bytes) & mask;
    for (;; i = (i + 1) & mask) {
        const quint32 id = m_slots[i];
        if (id == 0)
            break;
        if (Bytes(id) == bytes)
            return id;
    }
    m_text.append(bytes);
    m_offsets.push_back(quint32(m_text.size()));
    m_decoded.emplace_back();
    m_slots[i] = Size();
    return Size();
}

void TStringDictionary::Grow() {
    std::vector<quint32> table(std::max<size_t>(16, m_slots.size() * 2), 0);
    const size_t mask = table.size() - 1;
    for (quint32 id = 1; id <= Size(); ++id) {
        size_t i = Hash(Bytes(id)) & mask;
        while (table[i] != 0)
            i = (i + 1) & mask;
        table[i] = id;
    }
    m_slots = std::move(table);
}

void TStringDictionary::Decode(quint32 id) const {
    const auto b = Bytes(id);
    m_decoded[id - 1] = QString::fromUtf8(b.data(), qsizetype(b.size()));
}

size_t TStringDictionary::MemoryBytes() const {
    size_t bytes = m_offsets.capacity() * sizeof(quint32) + m_text.capacity() +
                   m_slots.capacity() * sizeof(quint32) + m_decoded.capacity() * sizeof(QString);
    for (const QString& s : m_decoded)
        if (!s.isNull())
            bytes += size_t(s.capacity()) * 2 + 16;
    return bytes;
}
