#include "framework/net/ReadAhead.h"

#include <algorithm>
#include <cstring>

ssize_t TReadAhead::read(char* ptr, size_t size) {
    if (m_begin == m_end) {
        // A read as large as the buffer has nothing to gain from it.
        if (size >= m_buffer.size())
            return m_socket.read(ptr, size);
        const ssize_t n = m_socket.read(m_buffer.data(), m_buffer.size());
        if (n <= 0)
            return n;
        m_begin = 0;
        m_end = size_t(n);
    }
    const size_t n = std::min(size, m_end - m_begin);
    std::memcpy(ptr, m_buffer.data() + m_begin, n);
    m_begin += n;
    return ssize_t(n);
}
