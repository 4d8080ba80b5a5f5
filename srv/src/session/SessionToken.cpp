#include "session/SessionToken.h"

#include "core/data/Exceptions.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <sys/random.h>

#include <cerrno>

namespace {

constexpr int kTokenBytes = 32;
constexpr int kTokenChars = 43; // base64 of 32 bytes without its '='

} // namespace

QString NewSessionToken() {
    QByteArray bytes(kTokenBytes, '\0');
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::getrandom(bytes.data() + got, size_t(bytes.size() - got), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw Exception(QStringLiteral("O sistema não forneceu bytes aleatórios para a "
                                           "sessão."));
        got += n;
    }
    return QString::fromLatin1(
        bytes.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
}

bool LooksLikeSessionToken(const QString& token) {
    if (token.size() != kTokenChars)
        return false;
    for (const QChar c : token)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'_')
            return false;
    return true;
}

QString SessionKey(const QString& token) {
    return QString::fromLatin1(
        QCryptographicHash::hash(token.toLatin1(), QCryptographicHash::Sha256).toHex());
}
