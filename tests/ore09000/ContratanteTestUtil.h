#pragma once

// The contracting-client screen opened as LoadBPL opens it, on a demo
// database: the recording fake server answers through the real remote
// modules on that database, and the screen's lookups read the same file.

#include "ore/ore09000/Contratante_Form.h"
#include "ore/ore09000/Pkg_ore09000.h"

#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "framework/db/SharedDatabase.h"
#include "rpc/CallContext.h"
#include "rpc/Modules.h"
#include "rpc/RemoteModuleRegistry.h"
#include "storage/Commands.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeServer.h"
#include "tests/support/ModalHook.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class ContratanteScreenTest : public ::testing::Test {
protected:
    using TKind = TFakeDialogs::TKind;

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        const QString url = m_dir.filePath(QStringLiteral("ore.db"));
        ASSERT_EQ(RunSeedDemo(url), 0);
        m_db = std::make_unique<TDbConnection>(url);
        SetSharedDatabase(m_db.get());
        RegisterModules(m_registry, url);
        for (const char* m : {"GetResumoOrca", "GetContratantes", "IncluirContratante",
                              "AlterarContratante", "CancelarContratante"})
            server.On(QString::fromLatin1(m), [this, m](const QVariantList& args) {
                TCallContext context;
                return m_registry.Dispatch(context, {QStringLiteral("ORE09000.rdmContratante"),
                                                     QString::fromLatin1(m), args});
            });
    }
    void TearDown() override {
        SetSharedDatabase(nullptr);
        m_db.reset();
        CloseThreadDatabases();
    }

    static QVariantList Params(int numero, const char* seq = "00") {
        return {QStringLiteral("0001"), QString::number(numero).rightJustified(10, u'0'),
                QString::fromLatin1(seq), QStringLiteral("ORE00800")};
    }

    // Opens the screen through the module's entry point; `drive` works it
    // while it is up (nested windows, such as a lookup, go to `nested`).
    void Open(const QVariantList& params, std::function<void()> drive) {
        TModalHook hook([&](QDialog& window) {
            if (window.objectName() != u"frmContratante") {
                if (nested)
                    nested(window);
                return;
            }
            s = static_cast<TfrmContratante*>(&window);
            drive();
            s = nullptr;
        });
        LoadScreen("ORE09000", &params);
    }

    void Click(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton);
        QApplication::processEvents();
    }
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Database row of a contracting client of budget 0001/numero/00.
    QString Stored(int numero, const QString& cliente);

    TFakeServer server;
    TFakeDialogs dialogs;
    std::function<void(QDialog&)> nested;
    TfrmContratante* s = nullptr;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TDbConnection> m_db;
    TRemoteModuleRegistry m_registry;
};
