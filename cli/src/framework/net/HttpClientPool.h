#pragma once

// The HTTP clients of one TNetConnection, each holding its connection to the
// server between calls; used by TNetConnection only.

#include <httplib.h>

#include <QString>

#include <chrono>
#include <memory>
#include <mutex>
#include <vector>

class THttpClientPool {
public:
    using Clock = std::chrono::steady_clock;

    struct TLease {
        std::unique_ptr<httplib::ClientImpl> client;
        // Its connection served an earlier call: the server may have closed
        // it while it lay idle.
        bool reused = false;
        QString key; // the address and trust it was made for
    };

    // A client for `host`:`port` as TNetSecurity says now: the one used last
    // when its connection has been idle for less than `idleBound`, a new one
    // otherwise. Null with `refusal` set when plain HTTP may not go to `host`.
    TLease Take(const QString& host, int port, const QString& address,
                std::chrono::milliseconds idleBound, QString& refusal);
    // Keeps the lease's client for the next call when its connection stayed
    // open.
    void GiveBack(TLease lease);
    // Closes every idle connection.
    void Clear();

private:
    struct TIdle {
        std::unique_ptr<httplib::ClientImpl> client;
        QString key;
        Clock::time_point since;
    };
    static QString Key(const QString& address);

    std::mutex m_mutex;
    std::vector<TIdle> m_idle; // the most recently used last
};
