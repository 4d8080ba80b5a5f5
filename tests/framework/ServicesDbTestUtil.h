#pragma once

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "framework/db/SharedDatabase.h"
#include "framework/services/Pictures.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// A scratch SQLite business database made the session's shared one, with the
// product code's picture as the demo has it ("1.01.001"). Pictures read from
// another database are forgotten on both ends.
class ServicesDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<TDbConnection>(m_dir.filePath(QStringLiteral("ore.db")));
        m_db->ExecScript(QStringLiteral(
            "CREATE TABLE PICTURE (IDTPPICTURE INTEGER NOT NULL PRIMARY KEY,"
            " NMPICTURE TEXT NOT NULL, DSMASCARA TEXT NOT NULL, DSSEPARADOR TEXT);"
            "CREATE TABLE PICTURENIVEL (IDTPPICTURE INTEGER NOT NULL, NRNIVEL INTEGER NOT NULL,"
            " QTDIGITOS INTEGER NOT NULL, PRIMARY KEY (IDTPPICTURE, NRNIVEL));"
            "INSERT INTO PICTURE VALUES (0, 'Código de Produto', '0.00.000;0;_', '.');"
            "INSERT INTO PICTURENIVEL VALUES (0, 3, 3), (0, 1, 1), (0, 2, 2);"));
        SetSharedDatabase(m_db.get());
        ResetPictureCache();
    }
    void TearDown() override {
        SetSharedDatabase(nullptr);
        ResetPictureCache();
        m_db.reset();
    }

    void Exec(const QString& sql, const TSqlParams& params = {}) { ExecSql(*m_db, sql, params); }

    QTemporaryDir m_dir;
    std::unique_ptr<TDbConnection> m_db;
};
