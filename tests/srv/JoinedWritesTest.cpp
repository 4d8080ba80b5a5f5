// A call's request leaves in one write when it is small, and a request that
// cannot be sent fails at a write.

#include "framework/net/JoinedWrites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace {

// Records each write that reaches the socket, taking at most `most` bytes
// of one, as a full socket buffer would; refuses them all when `broken`.
class TRecordingSocket final : public httplib::Stream {
public:
    bool broken = false;
    size_t most = size_t(-1);
    std::vector<std::string> writes;

    bool is_readable() const override { return true; }
    bool is_writable() const override { return true; }
    ssize_t read(char*, size_t) override { return 0; }
    ssize_t write(const char* ptr, size_t size) override {
        if (broken)
            return -1;
        size = std::min(size, most);
        writes.emplace_back(ptr, size);
        return ssize_t(size);
    }
    void get_remote_ip_and_port(std::string&, int&) const override {}
    void get_local_ip_and_port(std::string&, int&) const override {}
    socket_t socket() const override { return -1; }
};

std::string Head(const char* length) {
    std::string head = "POST /call HTTP/1.1\r\nHost: x\r\n";
    if (length)
        head += std::string("Content-Length: ") + length + "\r\n";
    return head + "\r\n";
}

struct TCase {
    const char* name;
    std::vector<std::string> written; // as httplib writes them, each one whole
    std::vector<std::string> sent;    // as they reach the socket before the answer is read
    size_t most = size_t(-1);         // what the socket takes of one write
};

class JoinedWrites : public ::testing::TestWithParam<TCase> {};

TEST_P(JoinedWrites, ReachTheSocketAsExpected) {
    const TCase& c = GetParam();
    TRecordingSocket socket;
    socket.most = c.most;
    TJoinedWrites joined(socket);
    for (const std::string& w : c.written)
        for (size_t done = 0; done < w.size();) {
            const ssize_t n = joined.write(w.data() + done, w.size() - done);
            ASSERT_GT(n, 0);
            done += size_t(n);
        }
    EXPECT_EQ(socket.writes, c.sent);
    char none;
    joined.read(&none, 1); // the answer is awaited: nothing may still be held
    EXPECT_EQ(std::accumulate(socket.writes.begin(), socket.writes.end(), std::string()),
              std::accumulate(c.written.begin(), c.written.end(), std::string()));
}

const std::string kBig(TJoinedWrites::kJoinedBodyBytes + 1, 'b');
// A large body whose last piece, as a full socket leaves it, reads like a head.
const std::string kTail = "\r\nContent-Length: 5\r\n";
const std::string kBigWithHeadLikeTail = kBig + kTail;

INSTANTIATE_TEST_SUITE_P(
    Requests, JoinedWrites,
    ::testing::Values(TCase{"SmallBodyGoesWithItsHead", {Head("4"), "body"}, {Head("4") + "body"}},
                      TCase{
                          "LargeBodyFollowsItsHead", {Head("65537"), kBig}, {Head("65537"), kBig}},
                      TCase{"HeadWithoutBodyGoesAtOnce", {Head(nullptr)}, {Head(nullptr)}},
                      TCase{"EmptyBodyIsNoBody", {Head("0")}, {Head("0")}},
                      TCase{"HeldHeadGoesBeforeTheAnswerIsRead", {Head("4")}, {}},
                      TCase{"APieceOfABodyIsNeverHeldAsAHead",
                            {Head("65558"), kBigWithHeadLikeTail},
                            {Head("65558"), kBig, kTail},
                            kBig.size()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JoinedWritesFailure, ARequestThatCannotBeSentFailsAtItsBodysWrite) {
    TRecordingSocket socket;
    socket.broken = true;
    TJoinedWrites joined(socket);
    const std::string head = Head("4");
    EXPECT_EQ(joined.write(head.data(), head.size()), ssize_t(head.size()));
    EXPECT_EQ(joined.write("body", 4), -1);
}

} // namespace
