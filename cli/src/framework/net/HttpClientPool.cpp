#include "framework/net/HttpClientPool.h"

#include "framework/net/NetSecurity.h"
#include "framework/net/SecureHttp.h"

#include <algorithm>

QString THttpClientPool::Key(const QString& address) {
    const TNetSecurity::TSettings s = TNetSecurity::Settings();
    return s.tls ? QStringLiteral("https:%1:%2").arg(address, s.caFile)
                 : QStringLiteral("http:%1").arg(address);
}

THttpClientPool::TLease THttpClientPool::Take(const QString& host, int port, const QString& address,
                                              std::chrono::milliseconds idleBound,
                                              QString& refusal) {
    const QString key = Key(address);
    std::vector<TIdle> stale;
    TLease lease;
    lease.key = key;
    {
        std::lock_guard lock(m_mutex);
        const Clock::time_point now = Clock::now();
        // A connection idle for longer may be closed by the server just as a
        // call goes out on it; one made for another address or trust is not
        // this call's.
        auto keep = std::partition(m_idle.begin(), m_idle.end(), [&](const TIdle& idle) {
            return idle.key == key && now - idle.since < idleBound;
        });
        std::move(keep, m_idle.end(), std::back_inserter(stale));
        m_idle.erase(keep, m_idle.end());
        if (!m_idle.empty()) {
            lease.client = std::move(m_idle.back().client);
            lease.reused = true;
            m_idle.pop_back();
        }
    }
    // Closed outside the lock: a TLS close may write.
    stale.clear();
    if (!lease.client)
        lease.client = SecureHttp::NewClient(host, port, address, refusal);
    return lease;
}

void THttpClientPool::GiveBack(TLease lease) {
    if (!lease.client || !lease.client->is_socket_open())
        return;
    std::lock_guard lock(m_mutex);
    m_idle.push_back({std::move(lease.client), std::move(lease.key), Clock::now()});
}

void THttpClientPool::Clear() {
    std::vector<TIdle> idle;
    {
        std::lock_guard lock(m_mutex);
        idle.swap(m_idle);
    }
}
