#include "framework/net/NetSecurity.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <mutex>

namespace {

std::mutex g_mutex;
TNetSecurity::TSettings g_settings;

} // namespace

TNetSecurity::TSettings TNetSecurity::Settings() {
    std::lock_guard lock(g_mutex);
    return g_settings;
}

void TNetSecurity::Set(const TSettings& settings) {
    std::lock_guard lock(g_mutex);
    g_settings = settings;
}

bool TNetSecurity::IsLoopback(const QString& host) {
    QString name = host.trimmed();
    if (name.startsWith(u'[') && name.endsWith(u']'))
        name = name.mid(1, name.size() - 2);
    if (name.compare(u"localhost", Qt::CaseInsensitive) == 0 ||
        name.compare(u"localhost.", Qt::CaseInsensitive) == 0)
        return true;
    const QByteArray text = name.toLatin1();
    in_addr v4{};
    if (::inet_pton(AF_INET, text.constData(), &v4) == 1)
        return (ntohl(v4.s_addr) >> 24) == 127;
    in6_addr v6{};
    if (::inet_pton(AF_INET6, text.constData(), &v6) == 1)
        return IN6_IS_ADDR_LOOPBACK(&v6) || (IN6_IS_ADDR_V4MAPPED(&v6) && v6.s6_addr[12] == 127);
    return false;
}

QString TNetSecurity::PlainHttpRefusal(const QString& host, const QString& address) {
    const TSettings settings = Settings();
    if (settings.tls || settings.allowPlainHttp || IsLoopback(host))
        return {};
    return QStringLiteral("O servidor de aplicação %1 está fora deste computador e a conexão não "
                          "seria criptografada: use HTTPS (--tls) ou, só em rede confiável, "
                          "permita HTTP simples (--allow-plain-http).")
        .arg(address);
}
