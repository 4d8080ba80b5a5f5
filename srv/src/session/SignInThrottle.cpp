#include "session/SignInThrottle.h"

#include "core/db/SqlStatement.h"

#include <algorithm>

namespace SignInThrottle {

namespace {

constexpr qint64 kFirstLock = 30;
constexpr qint64 kLongestLock = 15 * 60;

} // namespace

qint64 LockSeconds(int failures) {
    if (failures < kFreeFailures)
        return 0;
    const int doublings = std::min(failures - kFreeFailures, 16);
    return std::min(kFirstLock << doublings, kLongestLock);
}

qint64 SecondsLocked(TDbConnection& db, const QString& code, qint64 now) {
    TSqlStatement st(db, QStringLiteral("SELECT DTBLOQUEIO FROM FALHAENTRADA "
                                        "WHERE CDOPERADOR = :C"));
    st.Exec({{"C", code}});
    return st.Next() ? std::max<qint64>(0, st.Value(0).toLongLong() - now) : 0;
}

int RecordFailure(TDbConnection& db, const QString& code, qint64 now) {
    // One statement, so that failures counted by several processes at once
    // all count.
    TSqlStatement count(db, QStringLiteral("INSERT INTO FALHAENTRADA (CDOPERADOR, QTFALHAS, "
                                           "DTULTFALHA, DTBLOQUEIO) VALUES (:C, 1, :T, 0) "
                                           "ON CONFLICT (CDOPERADOR) DO UPDATE SET QTFALHAS = "
                                           "FALHAENTRADA.QTFALHAS + 1, DTULTFALHA = "
                                           "EXCLUDED.DTULTFALHA RETURNING QTFALHAS"));
    count.Exec({{"C", code}, {"T", now}});
    const int failures = count.Next() ? count.Value(0).toInt() : 1;
    if (const qint64 lock = LockSeconds(failures))
        TSqlStatement(db, QStringLiteral("UPDATE FALHAENTRADA SET DTBLOQUEIO = :B "
                                         "WHERE CDOPERADOR = :C"))
            .Exec({{"B", now + lock}, {"C", code}});
    return failures;
}

void Clear(TDbConnection& db, const QString& code) {
    TSqlStatement(db, QStringLiteral("DELETE FROM FALHAENTRADA WHERE CDOPERADOR = :C"))
        .Exec({{"C", code}});
}

QString LockedSentence(qint64 seconds) {
    return QStringLiteral("Muitas tentativas de entrada sem sucesso. Tente novamente em %1 "
                          "segundos.")
        .arg(seconds);
}

} // namespace SignInThrottle
