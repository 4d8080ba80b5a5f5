#include "session/SignIn.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "rpc/CallContext.h"
#include "session/PasswordHash.h"
#include "session/SessionLog.h"
#include "session/SessionStore.h"
#include "session/SignInThrottle.h"

namespace {

// Longer codes are no operator's; the throttle keys on this much of them.
constexpr int kCodeKeyChars = 64;

} // namespace

QString InvalidSignInSentence() {
    return QStringLiteral("Operador ou senha inválidos.");
}

QString SignIn(TSessionStore& store, const QString& code, const QString& password,
               const QString& peer) {
    TDbConnection& db = OpenDatabase(store.Url());
    const QString key = code.left(kCodeKeyChars);
    const qint64 now = store.Now();
    if (const qint64 locked = SignInThrottle::SecondsLocked(db, key, now)) {
        SessionLog(QStringLiteral("entrada recusada durante o bloqueio: operador \"%1\", de %2")
                       .arg(key, peer));
        throw ERemoteError(SignInThrottle::LockedSentence(locked));
    }
    bool active = false;
    QString hash;
    {
        TSqlStatement st(db, QStringLiteral("SELECT O.IDATIVOOPER, S.TXHASHSENHA FROM OPERADOR O "
                                            "LEFT JOIN SENHAOPER S ON S.CDOPERADOR = "
                                            "O.CDOPERADOR WHERE O.CDOPERADOR = :C"));
        st.Exec({{"C", key}});
        if (st.Next()) {
            active = st.Value(0).toString() == QLatin1String("S");
            hash = st.Value(1).toString();
        }
    }
    // The hash is computed whatever else is wrong, so that the time taken
    // does not tell an unknown or inactive operator from a wrong password.
    bool matches = false;
    if (hash.isEmpty())
        SpendPasswordCheck(password);
    else
        matches = PasswordMatches(password, hash);
    if (!matches || !active) {
        const int failures = SignInThrottle::RecordFailure(db, key, now);
        SessionLog(QStringLiteral("entrada recusada: operador \"%1\", de %2 (%3ª falha seguida)")
                       .arg(key, peer)
                       .arg(failures));
        throw ERemoteError(InvalidSignInSentence());
    }
    SignInThrottle::Clear(db, key);
    return store.Create(key, peer);
}
