#include "core/data/StringDictionary.h"

#include <functional>

size_t TStringDictionary::Hash(std::string_view bytes) {
    return std::hash<std::string_view>{}(bytes);
}

// A slot holds a value's id in its low half and its hash's high bits in the
// other, so that a probe compares bytes only when the hashes agree: with many
// distinct values, reading each candidate's bytes was most of the cost of a
// lookup.
namespace {

quint64 Slot(size_t hash, quint32 id) {
    return ((quint64(hash) >> 32) << 32) | id;
}
bool SameHash(quint64 slot, size_t hash) {
    return (slot >> 32) == (quint64(hash) >> 32);
}

} // namespace

quint32 TStringDictionary::Find(std::string_view bytes) const {
    if (m_slots.empty())
        return 0;
    const size_t hash = Hash(bytes);
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        const quint64 slot = m_slots[i];
        const quint32 id = quint32(slot);
        if (id == 0 || (SameHash(slot, hash) && Bytes(id) == bytes))
            return id;
    }
}

quint32 TStringDictionary::Intern(std::string_view bytes) {
    if ((Size() + 1) * 4 >= m_slots.size() * 3) // keep the table under 3/4 full
        Grow();
    const size_t hash = Hash(bytes);
    const size_t mask = m_slots.size() - 1;
    size_t i = hash & mask;
    for (;; i = (i + 1) & mask) {
        const quint64 slot = m_slots[i];
        const quint32 id = quint32(slot);
        if (id == 0)
            break;
        if (SameHash(slot, hash) && Bytes(id) == bytes)
            return id;
    }
    m_text.append(bytes);
    m_offsets.push_back(quint32(m_text.size()));
    m_decoded.emplace_back();
    m_slots[i] = Slot(hash, Size());
    return Size();
}

void TStringDictionary::Grow() {
    std::vector<quint64> table(std::max<size_t>(16, m_slots.size() * 2), 0);
    const size_t mask = table.size() - 1;
    for (quint32 id = 1; id <= Size(); ++id) {
        const size_t hash = Hash(Bytes(id));
        size_t i = hash & mask;
        while (table[i] != 0)
            i = (i + 1) & mask;
        table[i] = Slot(hash, id);
    }
    m_slots = std::move(table);
}

void TStringDictionary::Decode(quint32 id) const {
    const auto b = Bytes(id);
    m_decoded[id - 1] = QString::fromUtf8(b.data(), qsizetype(b.size()));
}

size_t TStringDictionary::MemoryBytes() const {
    size_t bytes = m_offsets.capacity() * sizeof(quint32) + m_text.capacity() +
                   m_slots.capacity() * sizeof(quint64) + m_decoded.capacity() * sizeof(QString);
    for (const QString& s : m_decoded)
        if (!s.isNull())
            bytes += size_t(s.capacity()) * 2 + 16;
    return bytes;
}
