#pragma once

// Plain sockets on loopback, for what an HTTP client library would not send,
// and a process's resident memory; shared by the hostile-input tests and the
// flood tool.

#include <QFile>
#include <QString>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <string>

namespace RawSocket {

// A connection to 127.0.0.1:port, or -1.
inline int Connect(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        ::close(s);
        return -1;
    }
    return s;
}

// A socket listening on 127.0.0.1 on a port the system chose, written to
// `port`; -1 when the system refused.
inline int Listen(int backlog, int* port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    if (::bind(s, reinterpret_cast<sockaddr*>(&addr), len) != 0 || ::listen(s, backlog) != 0 ||
        ::getsockname(s, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(s);
        return -1;
    }
    *port = ntohs(addr.sin_port);
    return s;
}

// Sends all of `bytes`; false when the peer stopped taking them.
inline bool Send(int s, const std::string& bytes) {
    for (size_t sent = 0; sent < bytes.size();) {
        const ssize_t n = ::send(s, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        sent += size_t(n);
    }
    return true;
}

// Whether `got` holds a whole HTTP message (head and Content-Length bytes
// of body): a kept connection stays open after it.
inline bool WholeMessage(const std::string& got) {
    const auto end = got.find("\r\n\r\n");
    if (end == std::string::npos)
        return false;
    std::string head = got.substr(0, end);
    for (char& c : head)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    const auto length = head.find("\r\ncontent-length:");
    return length != std::string::npos &&
           got.size() >= end + 4 + std::stoul(head.substr(length + 17));
}

// The resident memory of process `pid` in KiB, or -1.
inline long RssKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

} // namespace RawSocket
