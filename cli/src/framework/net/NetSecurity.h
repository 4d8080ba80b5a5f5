#pragma once

#include <QString>

// How this process's connections reach the application server: plain HTTP
// or HTTPS, whom to trust, and whether plain HTTP may leave the machine.
// Set once by the host from its command line, read by every call.
class TNetSecurity {
public:
    struct TSettings {
        bool tls = false;
        // PEM file of the authorities that sign the server's certificate;
        // empty: the system's store.
        QString caFile;
        // Plain HTTP to an address off this machine, where anyone on the
        // way could read and change the calls.
        bool allowPlainHttp = false;
    };

    static TSettings Settings(); // thread-safe
    static void Set(const TSettings& settings);

    // 127.0.0.0/8, ::1 (also as an IPv4-mapped address) and "localhost":
    // plain HTTP to these never leaves the machine. Names are not resolved.
    static bool IsLoopback(const QString& host);

    // Why a plain-HTTP call to `host` is refused, or empty when it is not.
    static QString PlainHttpRefusal(const QString& host, const QString& address);
};
