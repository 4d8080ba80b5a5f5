// Screen ORE06400 opened as LoadBPL opens it, with the server's GetOrcaProc
// answering from a demo database in process; the operator reads and closes it.

#include "ore/ore06400/Pkg_ore06400.h"

#include "tests/srv/StorageTestUtil.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/FakeServer.h"
#include "tests/support/ModalHook.h"

#include "core/data/Exceptions.h"
#include "core/data/RecordSet.h"
#include "core/db/SqlStatement.h"
#include "framework/net/NetConnection.h"
#include "framework/services/Session.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "modules/ProcOrcaModule.h"
#include "rpc/CallContext.h"
#include "rpc/RemoteModuleRegistry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QString kServer = QStringLiteral("ORE06400.rdmProcOrca");

class ProcOrcaScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunSeedDemo(m_db.UrlString()), 0);
        RegisterProcOrca(m_registry, m_db.UrlString());
        m_server.On("GetOrcaProc", [this](const QVariantList& args) { return Answer(args); });
        TSessionInfo session;
        session.operador = QStringLiteral("MARIA");
        session.filiProc = QStringLiteral("0001");
        session.webPort = 8399;
        StartSession(session);
    }
    void TearDown() override { CloseThreadDatabases(); }

    TServerReply Answer(const QVariantList& args) {
        TCallContext context;
        return m_registry.Dispatch(context, {kServer, QStringLiteral("GetOrcaProc"), args});
    }

    static QVariantList Params(int situacao, const QString& numero, const QString& seq = "00") {
        return {situacao, QStringLiteral("0001"),  numero,
                seq,      QStringLiteral("MARIA"), QStringLiteral("ORE00800")};
    }
    // Opens the screen as LoadBPL does; `operate` works it while it is up.
    static void Open(const QVariantList& params, std::function<void(QDialog&)> operate) {
        TModalHook hook(std::move(operate));
        LoadScreen("ORE06400", &params);
        EXPECT_EQ(hook.Opened(), 1);
    }
    // The sentence an opening is refused with; the screen never shows.
    static QString Refusal(const QVariantList& params) {
        TModalHook hook([](QDialog&) { ADD_FAILURE() << "the screen opened"; });
        try {
            LoadScreen("ORE06400", &params);
        } catch (const Exception& e) {
            return e.Message();
        }
        return QStringLiteral("(accepted)");
    }
    static QString Shown(QDialog& w, const char* edit) {
        auto* e = w.findChild<QLineEdit*>(QLatin1String(edit));
        EXPECT_TRUE(e) << edit;
        return e ? e->text() : QString();
    }
    static void Click(QDialog& w, const char* button) {
        auto* b = w.findChild<QPushButton*>(QLatin1String(button));
        ASSERT_TRUE(b) << button;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // With ORE_SCREENSHOT_DIR set, a picture of the screen (the docs' ones):
    // on an X display the whole desktop, window manager's frame included.
    static void Shot(QWidget& w, const char* name) {
        const QString dir = qEnvironmentVariable("ORE_SCREENSHOT_DIR");
        if (dir.isEmpty())
            return;
        const QString file = dir + u'/' + QLatin1String(name);
        if (QGuiApplication::platformName() != u"xcb") {
            EXPECT_TRUE(w.grab().save(file));
        } else {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
            EXPECT_TRUE(QGuiApplication::primaryScreen()->grabWindow(0).save(file));
        }
    }

    TScratchDb m_db{TDialect::SQLite};
    TRemoteModuleRegistry m_registry;
    TFakeServer m_server;
    TFakeDialogs m_dialogs;
};

TEST_F(ProcOrcaScreenTest, ParametersOfAWrongCountOrKindAreRefused) {
    const QString seis = QStringLiteral("A tela ORE06400 espera 6 parâmetros e recebeu %1.");
    const QString kind = QStringLiteral("O parâmetro %1 (%2) da tela ORE06400 deve ser %3.");
    QVariantList sete = Params(3, "0000001002");
    sete << QStringLiteral("extra");
    const struct Case {
        QVariantList params;
        QString message;
    } cases[] = {
        {{}, seis.arg(0)},
        {Params(3, "0000001002").mid(0, 5), seis.arg(5)},
        {sete, seis.arg(7)},
        {{"3", "0001", "0000001002", "00", "MARIA", "ORE00800"},
         kind.arg(1).arg("IDSITUORCEVE", "um número inteiro")},
        {{3.0, "0001", "0000001002", "00", "MARIA", "ORE00800"},
         kind.arg(1).arg("IDSITUORCEVE", "um número inteiro")},
        {{3, 1, "0000001002", "00", "MARIA", "ORE00800"}, kind.arg(2).arg("CDFILIAL", "um texto")},
        {{3, "0001", 1002, "00", "MARIA", "ORE00800"}, kind.arg(3).arg("NRORCAEVENTO", "um texto")},
        {{3, "0001", "0000001002", QVariant(), "MARIA", "ORE00800"},
         kind.arg(4).arg("NRSEQORCAEVE", "um texto")},
        {{3, "0001", "0000001002", "00", true, "ORE00800"},
         kind.arg(5).arg("operador", "um texto")},
        {{3, "0001", "0000001002", "00", "MARIA", 800},
         kind.arg(6).arg("tela de origem", "um texto")},
        // A well-formed key that names no budget: the server's sentence.
        {Params(2, "0000009999"),
         QStringLiteral("O orçamento 0000009999-00 da filial 0001 não foi encontrado.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        EXPECT_EQ(Refusal(c.params).toStdString(), c.message.toStdString());
    }
    // Only the unknown budget got as far as the server.
    EXPECT_EQ(m_server.Methods(), QStringList{"GetOrcaProc"});
}

TEST_F(ProcOrcaScreenTest, ShowsTheBudgetAsTheServerReadsItAndCloses) {
    const QVariantList key = {"0001", "0000001001", "00"};
    const QVariantList packets = Answer(key).payload.toList();
    ASSERT_EQ(packets.size(), 5);
    auto packet = [&](int i) {
        auto rs = std::make_unique<TRecordSet>();
        rs->SetData(packets[i].value<TDataPacket>());
        return rs;
    };

    Open(Params(2, "0000001001"), [&](QDialog& w) {
        EXPECT_EQ(w.objectName(), "frmProcOrca");
        EXPECT_EQ(w.windowTitle(), "ORE06400 - Processamento do Orçamento");
        EXPECT_LE(w.width(), 790);
        EXPECT_LE(w.height(), 570);
        Shot(w, "ore06400.png");

        EXPECT_EQ(Shown(w, "dbeNrOrcaEvento"), "0000001001");
        EXPECT_EQ(Shown(w, "dbeNrSeqOrcaEve"), "00");
        EXPECT_EQ(Shown(w, "edtSituacao"), "Aprovado");
        EXPECT_EQ(Shown(w, "dbeTitulo"), "Casamento Mariana & Rafael");
        EXPECT_FALSE(Shown(w, "edtCliente").isEmpty());
        EXPECT_FALSE(Shown(w, "dbeVendedor").isEmpty());
        EXPECT_TRUE(Shown(w, "dbeDtEvento").contains(u':')) << "date and time";
        EXPECT_FALSE(w.findChild<QLabel*>("lblSituacaoAlterada")->isVisible());
        EXPECT_EQ(w.findChild<QLabel*>("lblChamada")->text(),
                  "Aberta por ORE00800, operador MARIA.");

        // The totals as the server computed them, in the session's number format.
        const auto totals = packet(1);
        TField& total = totals->FieldByName("TOTALIQUIDO");
        total.SetDisplayFormat("#,##0.00");
        EXPECT_EQ(Shown(w, "dbeTotaLiquido"), total.DisplayText());

        // Items, halls and labour: every row the server sent.
        const struct {
            const char* grid;
            int packet;
        } grids[] = {{"grdItens", 2}, {"grdSaloes", 3}, {"grdMaoObra", 4}};
        for (const auto& g : grids) {
            auto* grid = w.findChild<TDBGrid*>(QLatin1String(g.grid));
            ASSERT_TRUE(grid) << g.grid;
            EXPECT_EQ(grid->model()->rowCount(), packet(g.packet)->RecordCount()) << g.grid;
        }
        EXPECT_EQ(w.findChild<TDBGrid*>("grdItens")->model()->index(0, 1).data().toString(),
                  packet(2)->FieldByName("NMPRODUTO").AsString());
        // The booking state as a text, whatever the case it is stored in ("R", "a").
        auto* grdSaloes = w.findChild<TDBGrid*>("grdSaloes");
        EXPECT_EQ(grdSaloes->model()->index(0, 2).data().toString(), "Reservado");
        EXPECT_EQ(grdSaloes->model()->index(1, 2).data().toString(), "Agendado");
        // Nothing there can be typed into.
        QTest::keyClicks(w.findChild<TDBEdit*>("dbeTitulo"), "x");
        EXPECT_EQ(Shown(w, "dbeTitulo"), "Casamento Mariana & Rafael");

        Click(w, "btnFechar");
        QCoreApplication::processEvents();
        EXPECT_FALSE(w.isVisible());
    });
    ASSERT_EQ(m_server.Calls().size(), 1u);
    EXPECT_EQ(m_server.Calls()[0].server, kServer);
    EXPECT_EQ(m_server.Calls()[0].args, key);
    EXPECT_TRUE(m_dialogs.Shown().empty());

    // A customer not registered yet: the name typed for it, said so.
    Open(Params(2, "0000001005"), [&](QDialog& w) {
        EXPECT_TRUE(Shown(w, "edtCliente").endsWith(" (não cadastrado)"))
            << Shown(w, "edtCliente").toStdString();
        Click(w, "btnFechar");
    });
}

// The situation the opener saw against the one read: a change shows, on
// opening and on a re-read, with the budget as it is now.
TEST_F(ProcOrcaScreenTest, ASituationChangedMeanwhileIsShownAndSaid) {
    Open(Params(2, "0000001002"), [&](QDialog& w) {
        Shot(w, "ore06400-situacao.png");
        EXPECT_EQ(Shown(w, "edtSituacao"), "Fechado");
        auto* note = w.findChild<QLabel*>("lblSituacaoAlterada");
        EXPECT_TRUE(note->isVisible());
        EXPECT_TRUE(note->text().contains("era \"Aprovado\", agora é \"Fechado\""))
            << note->text().toStdString();
        EXPECT_EQ(w.findChild<TNetConnection*>("netProcOrca")->Port, 8399);
        Click(w, "btnFechar");
    });

    Open(Params(2, "0000001001"), [&](QDialog& w) {
        auto* note = w.findChild<QLabel*>("lblSituacaoAlterada");
        EXPECT_FALSE(note->isVisible());
        TSqlStatement(OpenDatabase(m_db.Url()),
                      "UPDATE ORCAEVENTO SET IDSITUORCEVE = '3' WHERE NRORCAEVENTO = '0000001001' "
                      "AND NRSEQORCAEVE = '00'")
            .Exec();
        Click(w, "btnAtualizar");
        EXPECT_EQ(Shown(w, "edtSituacao"), "Fechado");
        EXPECT_TRUE(note->isVisible());
        Click(w, "btnFechar");
    });
    EXPECT_EQ(m_server.Methods(), QStringList({"GetOrcaProc", "GetOrcaProc", "GetOrcaProc"}));
}

} // namespace
