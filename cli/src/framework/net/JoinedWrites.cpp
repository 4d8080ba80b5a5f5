#include "framework/net/JoinedWrites.h"

#include "core/wire/WriteWhole.h"

#include <string_view>

namespace {

// Whether a request's head announces a body.
bool AnnouncesBody(std::string_view head) {
    static constexpr std::string_view kLength = "\r\nContent-Length: ";
    const size_t at = head.find(kLength);
    if (at == head.npos)
        return false;
    const size_t digits = at + kLength.size();
    return digits < head.size() && head[digits] >= '1' && head[digits] <= '9';
}

} // namespace

bool TJoinedWrites::Flush() const {
    const bool sent = WriteWhole(
        m_held, [this](const char* data, size_t size) { return m_socket.write(data, size); });
    m_held.clear();
    return sent;
}

ssize_t TJoinedWrites::write(const char* ptr, size_t size) {
    // Only the request's first write is its head: a piece of a large body
    // that happens to hold the same words is not.
    const bool head = m_first;
    m_first = false;
    if (m_held.empty()) {
        if (head && size <= kHeldHeadBytes && AnnouncesBody({ptr, size})) {
            m_held.assign(ptr, size);
            return ssize_t(size);
        }
        return m_socket.write(ptr, size);
    }
    if (size <= kJoinedBodyBytes) {
        m_held.append(ptr, size);
        return Flush() ? ssize_t(size) : -1;
    }
    return Flush() ? m_socket.write(ptr, size) : -1;
}
