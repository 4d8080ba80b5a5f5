#pragma once

#include "tests/ore00800/support/PacketBuilder.h"
#include "tests/support/FakeBusy.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeServer.h"

#include "core/db/DbConnection.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// What the module's screens run against in a test: the demo business
// database as the session's shared one, a session on branch "0001" for
// operator "MARIA", and the recording fakes of the application server, the
// message boxes and the busy indicator. The server answers the rights and
// halls calls the way the demo does until a test scripts otherwise.
class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Rights replies: the operator's setting and the module's parameter.
    void ScriptRights(const QVariant& operatorSetting, const QVariant& moduleParameter);

    TDbConnection& Db() { return *m_db; }
    QString DbPath() const { return m_dir.filePath(QStringLiteral("ore.db")); }

    TFakeServer server;
    TFakeDialogs dialogs;
    TFakeBusy busy;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDbConnection> m_db;
};

// The rows of the six packets of a GetOrcaEvento answer.
struct TOrcaEventoRows {
    std::vector<TPacketRow> budgets;
    std::vector<TPacketRow> items;
    std::vector<TPacketRow> totals;
    std::vector<TPacketRow> labour;
    std::vector<TPacketRow> obsExt;
    std::vector<TPacketRow> obsInt;
};
QVariant OrcaEventoDetailsAnswer(const TOrcaEventoRows& rows);

// The budgets given, and no items, totals, labour or observations unless given.
QVariant OrcaEventoAnswer(const std::vector<TPacketRow>& budgets,
                          const std::vector<TPacketRow>& items = {});

// A budget row as the server lists it.
TPacketRow BudgetRow(const QString& nr, const QString& seq, const QString& situ,
                     const QString& client = QStringLiteral("Cliente"));
