// A reply is read from the socket in reads as large as it gives, and read
// out by httplib in its own small pieces, byte for byte.

#include "framework/net/ReadAhead.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Gives `data` at most `chunk` bytes a read, then `end` (0: closed, -1: failed).
class TChunkedSocket final : public httplib::Stream {
public:
    std::string data;
    size_t chunk = 0;
    ssize_t end = 0;
    int reads = 0;

    bool is_readable() const override { return m_at < data.size(); }
    bool is_writable() const override { return true; }
    ssize_t read(char* ptr, size_t size) override {
        ++reads;
        if (m_at == data.size())
            return end;
        const size_t n = std::min({size, chunk, data.size() - m_at});
        std::copy_n(data.data() + m_at, n, ptr);
        m_at += n;
        return ssize_t(n);
    }
    ssize_t write(const char*, size_t size) override { return ssize_t(size); }
    void get_remote_ip_and_port(std::string&, int&) const override {}
    void get_local_ip_and_port(std::string&, int&) const override {}
    socket_t socket() const override { return -1; }

private:
    size_t m_at = 0;
};

TEST(ReadAhead, GivesTheSocketsBytesInFewerReadsAndItsEndAsItCame) {
    std::string reply;
    for (int i = 0; reply.size() < 100'000; ++i)
        reply += std::to_string(i) + ',';
    const struct {
        size_t chunk, piece, buffer;
        ssize_t end;
    } cases[] = {
        {65536, 4096, 16384, 0}, // the socket holds more than the buffer
        {1000, 4096, 16384, -1}, // less than a piece at a time, then a failure
        {65536, 1, 16384, 0},    // the head, read byte by byte
        {65536, 32768, 16384, 0} // pieces larger than the buffer go straight
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.chunk) + " " + std::to_string(c.piece));
        TChunkedSocket socket;
        socket.data = reply;
        socket.chunk = c.chunk;
        socket.end = c.end;
        std::vector<char> buffer(c.buffer);
        TReadAhead ahead(socket, buffer);
        std::string read;
        std::vector<char> piece(c.piece);
        ssize_t n;
        while ((n = ahead.read(piece.data(), piece.size())) > 0)
            read.append(piece.data(), size_t(n));
        EXPECT_EQ(n, c.end);
        EXPECT_EQ(read, reply);
        EXPECT_FALSE(ahead.is_readable());
        const size_t least = reply.size() / std::min({c.chunk, std::max(c.piece, c.buffer)});
        EXPECT_LE(size_t(socket.reads), least + 2);
    }
}

} // namespace
