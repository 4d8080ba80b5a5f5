#include "session/PasswordHash.h"

#include "core/data/Exceptions.h"

#include <crypt.h>

#include <cstring>
#include <memory>

namespace {

// The crypt library's work area is some 32 KiB: kept off the stack.
std::unique_ptr<crypt_data> WorkArea() {
    auto data = std::make_unique<crypt_data>();
    std::memset(data.get(), 0, sizeof(crypt_data));
    return data;
}

// The hash of `password` under `setting` (a salt or a whole hash), or empty.
QByteArray Crypt(const QString& password, const QByteArray& setting) {
    const QByteArray phrase = password.toUtf8();
    auto data = WorkArea();
    const char* out = crypt_rn(phrase.constData(), setting.constData(), data.get(), sizeof *data);
    // A failure gives null or a text starting with '*'.
    if (!out || out[0] == '*')
        return {};
    return QByteArray(out);
}

// Compares without stopping at the first difference.
bool SameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size())
        return false;
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diff |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diff == 0;
}

} // namespace

QString HashPassword(const QString& password) {
    char salt[CRYPT_GENSALT_OUTPUT_SIZE];
    // Null random bytes: the library takes them from the operating system.
    if (!crypt_gensalt_rn("$y$", 0, nullptr, 0, salt, sizeof salt))
        throw Exception(QStringLiteral("Não foi possível gerar o sal da senha."));
    const QByteArray hash = Crypt(password, QByteArray(salt));
    if (hash.isEmpty())
        throw Exception(QStringLiteral("Não foi possível calcular o hash da senha."));
    return QString::fromLatin1(hash);
}

bool PasswordMatches(const QString& password, const QString& hash) {
    const QByteArray stored = hash.toLatin1();
    if (!stored.startsWith("$y$"))
        return false;
    const QByteArray computed = Crypt(password, stored);
    return !computed.isEmpty() && SameBytes(computed, stored);
}

void SpendPasswordCheck(const QString& password) {
    static const QString nobodys = HashPassword(QStringLiteral("-"));
    (void)PasswordMatches(password, nobodys);
}
