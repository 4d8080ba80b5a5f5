#include "storage/Commands.h"

#include "closing/ClosingConsistency.h"
#include "core/db/DbConnection.h"
#include "core/db/DbError.h"
#include "core/db/SqlStatement.h"
#include "seed/DemoSeed.h"
#include "seed/ScaleSeed.h"
#include "storage/DbRoles.h"
#include "storage/Schema.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

void Say(FILE* to, const QString& text) {
    std::fputs(qPrintable(text + u'\n'), to);
    std::fflush(to);
}

bool HasBranch(TDbConnection& db, const QString& branch) {
    TSqlStatement st(db, QStringLiteral("SELECT 1 FROM FILIAL WHERE CDFILIAL = :FILIAL"));
    st.Exec({{QStringLiteral("FILIAL"), branch}});
    return st.Next();
}

// The loads accept an empty database too: they create the schema first.
void EnsureSchema(TDbConnection& db) {
    if (ExistingSchemaTable(db).isEmpty()) {
        CreateSchema(db);
        Say(stdout, QStringLiteral("Esquema criado em %1.").arg(db.Url().Display()));
    }
}

// Runs `body` on a connection to `url`; database failures become an exit code.
template <typename Body> int Run(const QString& url, Body body) {
    DbUrl parsed;
    try {
        parsed = DbUrl::Parse(url);
    } catch (const Exception& e) {
        Say(stderr, e.Message());
        return kUsage;
    }
    try {
        TDbConnection db(parsed);
        return body(db);
    } catch (const Exception& e) {
        Say(stderr, e.Message());
        return kFailed;
    }
}

} // namespace

int RunInitDb(const QString& dbUrl, const QString& rolePrefix) {
    TDbRoles roles;
    try {
        roles = TDbRoles::WithPrefix(rolePrefix);
    } catch (const Exception& e) {
        Say(stderr, e.Message());
        return kUsage;
    }
    return Run(dbUrl, [&roles](TDbConnection& db) {
        const bool pg = db.Dialect() == TDialect::PostgreSQL;
        CreateSchema(db, pg ? &roles : nullptr);
        Say(stdout, QStringLiteral("Esquema criado em %1.").arg(db.Url().Display()));
        if (pg)
            Say(stdout, QStringLiteral("Papéis: %1 (dono das tabelas), %2 (servidor), %3 (host).")
                            .arg(roles.owner, roles.server, roles.host));
        return kOk;
    });
}

int RunSeedDemo(const QString& dbUrl) {
    return Run(dbUrl, [](TDbConnection& db) {
        EnsureSchema(db);
        TTransaction tx(db);
        if (HasBranch(db, QString::fromLatin1(kDemoMainBranch))) {
            Say(stderr, QStringLiteral("Os dados de demonstração já estão em %1 (a filial %2 "
                                       "existe); nada foi alterado.")
                            .arg(db.Url().Display(), QString::fromLatin1(kDemoMainBranch)));
            return kFailed;
        }
        LoadDemoCatalogs(db);
        LoadDemoPasswords(db);
        LoadDemoBranches(db);
        LoadDemoBudgets(db);
        tx.Commit();
        Say(stdout,
            QStringLiteral("Dados de demonstração carregados em %1.").arg(db.Url().Display()));
        return kOk;
    });
}

int RunSeedScale(const QString& dbUrl, int budgets) {
    if (budgets < 1) {
        Say(stderr, QStringLiteral("Informe quantos orçamentos gerar (um número maior que zero)."));
        return kUsage;
    }
    return Run(dbUrl, [budgets](TDbConnection& db) {
        EnsureSchema(db);
        QElapsedTimer clock;
        clock.start();
        {
            TTransaction tx(db);
            if (HasBranch(db, QString::fromLatin1(kScaleBranch))) {
                Say(stderr,
                    QStringLiteral("A filial de carga %1 já existe em %2; nada foi alterado.")
                        .arg(QString::fromLatin1(kScaleBranch), db.Url().Display()));
                return kFailed;
            }
            LoadDemoCatalogs(db);
            LoadDemoPasswords(db);
            LoadScaleBranch(db);
            if (db.Dialect() == TDialect::SQLite) {
                LoadScale(db, budgets);
                tx.Commit();
            } else {
                LoadScale(db, budgets, TScaleRows::Budgets);
                tx.Commit();
                try {
                    TTransaction details(db);
                    LoadScale(db, budgets, TScaleRows::Details);
                    details.Commit();
                } catch (...) {
                    TTransaction undo(db);
                    RemoveScale(db);
                    undo.Commit();
                    throw;
                }
                // The planner's statistics still describe the tables before the
                // load (autovacuum takes its time): a narrow list would be
                // planned as if the branch had a few hundred items.
                db.ExecRaw(QStringLiteral("ANALYZE"));
            }
        }
        Say(stdout, QStringLiteral("%1 orçamentos gerados na filial %2 de %3 em %4 s.")
                        .arg(budgets)
                        .arg(QString::fromLatin1(kScaleBranch), db.Url().Display())
                        .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
        return kOk;
    });
}

int RunCheckDb(const QString& dbUrl) {
    // Opening a SQLite file that is not there would create an empty one.
    try {
        const DbUrl url = DbUrl::Parse(dbUrl);
        if (url.dialect == TDialect::SQLite && !QFileInfo::exists(url.path)) {
            Say(stderr, QStringLiteral("O banco %1 não existe.").arg(url.Display()));
            return kFailed;
        }
    } catch (const Exception&) {
        // Run says what is wrong with the URL.
    }
    return Run(dbUrl, [](TDbConnection& db) {
        if (ExistingSchemaTable(db).isEmpty()) {
            Say(stderr, QStringLiteral("%1 não tem o esquema do sistema.").arg(db.Url().Display()));
            return kFailed;
        }
        TTransaction snapshot(db, TTransaction::TMode::Read);
        const QStringList findings = CheckClosingConsistency(db);
        for (const QString& f : findings)
            Say(stdout, f);
        if (findings.isEmpty()) {
            Say(stdout, QStringLiteral("Nenhuma inconsistência nos fechamentos de %1.")
                            .arg(db.Url().Display()));
            return kOk;
        }
        Say(stdout, QStringLiteral("%1 inconsistência(s) nos fechamentos de %2.")
                        .arg(findings.size())
                        .arg(db.Url().Display()));
        return kFailed;
    });
}
