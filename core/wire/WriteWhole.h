#pragma once

// Sending a buffer whole through a write that may take only part of it, as a
// socket's does; shared by the client's and the server's streams.

#include <cstddef>
#include <string>
#include <sys/types.h>

// Calls `writeSome(data, size)` (returning the bytes taken, or 0 or less on
// failure) until all of `bytes` is taken; false when a call took nothing.
template <typename WriteSome> bool WriteWhole(const std::string& bytes, WriteSome writeSome) {
    for (size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = writeSome(bytes.data() + sent, bytes.size() - sent);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}
