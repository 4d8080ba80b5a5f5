#pragma once

#include "storage/Commands.h"

#include "core/db/DbConnection.h"
#include "core/db/DbUrl.h"

#include <QCoreApplication>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <string>

// The PostgreSQL server the tests may use (scripts/pg-test-cluster sets it);
// empty when there is none.
inline QString TestPgUrl() {
    return qEnvironmentVariable("ORE_TEST_PG_URL");
}

// A URL with its password, as the command-line entry points take it.
inline QString UrlText(const DbUrl& url) {
    if (url.dialect == TDialect::SQLite)
        return QStringLiteral("sqlite:") + url.path;
    QString auth = QString::fromLatin1(QUrl::toPercentEncoding(url.user));
    if (!url.password.isEmpty())
        auth += u':' + QString::fromLatin1(QUrl::toPercentEncoding(url.password));
    return QStringLiteral("postgresql://%1@%2:%3/%4")
        .arg(auth, url.host)
        .arg(url.port)
        .arg(url.database);
}

// An empty database of its own for one test: a file in a temporary folder, or
// a new database on the test PostgreSQL server, dropped afterwards.
class TScratchDb {
public:
    explicit TScratchDb(TDialect dialect) {
        if (dialect == TDialect::SQLite) {
            m_url.path = m_dir.filePath(QStringLiteral("ore.db"));
            return;
        }
        const DbUrl admin = DbUrl::Parse(TestPgUrl());
        static int serial = 0;
        m_name =
            QStringLiteral("ore_t_%1_%2").arg(QCoreApplication::applicationPid()).arg(++serial);
        {
            TDbConnection db(admin);
            db.ExecRaw(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
            db.ExecRaw(QStringLiteral("CREATE DATABASE %1").arg(m_name));
        }
        m_admin = admin;
        m_url = admin;
        m_url.database = m_name;
    }
    ~TScratchDb() {
        if (m_name.isEmpty())
            return;
        try {
            TDbConnection db(m_admin);
            db.ExecRaw(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
        } catch (const std::exception& e) {
            ADD_FAILURE() << "could not drop " << m_name.toStdString() << ": " << e.what();
        }
    }
    TScratchDb(const TScratchDb&) = delete;
    TScratchDb& operator=(const TScratchDb&) = delete;

    const DbUrl& Url() const { return m_url; }
    QString UrlString() const { return UrlText(m_url); }

private:
    QTemporaryDir m_dir;
    DbUrl m_url;
    DbUrl m_admin;
    QString m_name;
};

// Tests that run once per engine; PostgreSQL ones skip without a server.
class EngineTest : public ::testing::TestWithParam<TDialect> {
protected:
    void SetUp() override {
        if (GetParam() == TDialect::PostgreSQL && TestPgUrl().isEmpty())
            GTEST_SKIP() << "ORE_TEST_PG_URL is not set: no PostgreSQL server to test on";
        m_db = std::make_unique<TScratchDb>(GetParam());
    }
    void TearDown() override {
        CloseThreadDatabases();
        m_db.reset();
    }

    TDialect Dialect() const { return GetParam(); }
    const DbUrl& Url() const { return m_db->Url(); }
    QString UrlString() const { return m_db->UrlString(); }
    // A column type that means the same on both engines.
    QString Ddl(const char* sqlite, const char* postgres) const {
        return QString::fromUtf8(Dialect() == TDialect::SQLite ? sqlite : postgres);
    }

private:
    std::unique_ptr<TScratchDb> m_db;
};

// An engine's scratch database loaded with the demo data.
class SeededDbTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_EQ(RunSeedDemo(UrlString()), 0);
    }
};

inline std::string EngineName(const ::testing::TestParamInfo<TDialect>& info) {
    return info.param == TDialect::SQLite ? "SQLite" : "PostgreSQL";
}

#define ORE_INSTANTIATE_ENGINES(Suite)                                                             \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Engines, Suite, ::testing::Values(TDialect::SQLite, TDialect::PostgreSQL), EngineName)
