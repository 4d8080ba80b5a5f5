#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "seed/DemoSeed.h"
#include "session/PasswordHash.h"
#include "session/Passwords.h"

#include <QHash>

#include <mutex>

QString DemoPassword(const QString& operatorCode) {
    return operatorCode.toLower() + QStringLiteral("123");
}

void LoadDemoPasswords(TDbConnection& db) {
    // A slow hash per operator per seeding adds up over the test suites,
    // which seed hundreds of databases: each is computed once per process.
    static std::mutex mutex;
    static QHash<QString, QString> hashes;
    QStringList codes;
    {
        TSqlStatement st(db, QStringLiteral("SELECT CDOPERADOR FROM OPERADOR ORDER BY 1"));
        st.Exec();
        while (st.Next())
            codes << st.Value(0).toString();
    }
    for (const QString& code : codes) {
        QString hash;
        {
            std::lock_guard lock(mutex);
            auto it = hashes.find(code);
            if (it == hashes.end())
                it = hashes.insert(code, HashPassword(DemoPassword(code)));
            hash = *it;
        }
        Passwords::SetHash(db, code, hash);
    }
}
