// Closing a budget while the application server misbehaves: it answers
// garbage, never answers, or dies under the call. The operator reads one
// sentence, the busy indicator goes away, the list shows the budget as the
// server has it, and the next closing, once the server is back, goes through.

#include "tests/e2e/MisbehavingProxy.h"
#include "tests/e2e/ServerScreenTest.h"

#include "framework/net/NetConnection.h"
#include "host/ModuleLoader.h"

#include <QAbstractButton>

#include <csignal>

namespace {

using namespace std::chrono_literals;
using TAct = TMisbehavingProxy::TAct;

const QString kNr = QStringLiteral("0000001001");

class ClosingUnderFaults : public ServerScreenTest {
protected:
    void SetUp() override {
        ServerScreenTest::SetUp();
        if (HasFatalFailure())
            return;
        TScreenLoader::Install(&m_loader);
        const qint64 pid = ServerPid();
        proxy = std::make_unique<TMisbehavingProxy>(ServerPort(),
                                                    [pid] { ::kill(pid_t(pid), SIGKILL); });
        TSessionInfo session = Session();
        session.webPort = proxy->Port();
        StartSession(session);
    }
    void TearDown() override {
        proxy.reset();
        TScreenLoader::Install(nullptr);
        m_loader.UnloadAll();
        ServerScreenTest::TearDown();
    }

    // "Fechar" on the current budget, the contracting clients' screen only
    // looked at.
    void Close(TfrmFechaOrca& s) {
        TModalHook hook([](QDialog& w) {
            ASSERT_EQ(w.objectName(), QStringLiteral("frmContratante"));
            auto* fechar = w.findChild<QAbstractButton*>(QStringLiteral("btnFechar"));
            ASSERT_TRUE(fechar);
            Settle();
            QTest::mouseClick(fechar, Qt::LeftButton);
            Settle();
        });
        dialogs.Clear();
        busy.Clear();
        Click(s.sbtFecharOrca);
        Reactivate(s);
    }
    // A field of the budget's row in the list.
    QString Listed(TfrmFechaOrca& s, const char* field) {
        TRecordSet& orca = *s.data.cdsOrcaEvento;
        const int row = RowOf(orca, kNr, QStringLiteral("00"));
        QString value;
        if (row > 0)
            orca.ReadRow(row, [&] { value = Field(orca, field); });
        return value;
    }

    std::unique_ptr<TMisbehavingProxy> proxy;

private:
    TModuleLoader m_loader{{QStringLiteral(ORE_MODULE_DIR)}};
};

TEST_F(ClosingUnderFaults, EachFaultShowsOneSentenceAndTheNextClosingWorks) {
    TfrmFechaOrca& s = Open();
    ListAndGoTo(s, QStringLiteral("0001"), kNr);
    ASSERT_EQ(Listed(s, "IDSITUORCEVE"), QStringLiteral("2"));
    const QString server = QStringLiteral("servidor de aplicação 127.0.0.1:%1").arg(proxy->Port());

    const struct {
        const char* method;
        TAct act;
        QString shown;
        const char* marked; // the closing mark a failed run leaves
    } faults[] = {
        {"GetQtContratantes", TAct::Garbage,
         "Resposta inválida do " + server +
             " à chamada GetQtContratantes: CBOR malformado (número codificado de forma inválida).",
         "N"},
        {"GetVdValor", TAct::Hang, "O " + server + " não respondeu à chamada GetVdValor em 2 s.",
         "N"},
        {"FecharOrca", TAct::Garbage,
         "Resposta inválida do " + server +
             " à chamada FecharOrca: CBOR malformado (número codificado de forma inválida).",
         "S"},
        {"FecharOrca", TAct::Hang, "O " + server + " não respondeu à chamada FecharOrca em 2 s.",
         "S"},
        {"FecharOrca", TAct::Die,
         "A conexão com o " + server + " caiu antes da resposta à chamada FecharOrca.", "S"},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.shown.toStdString());
        proxy->On(QLatin1String(fault.method), fault.act);
        // Short waits, so that a hang ends quickly; long enough for a loaded machine.
        s.netFechaOrca->ReadTimeout = s.netContratante->ReadTimeout = 2s;
        Close(s);
        EXPECT_EQ(dialogs.Texts(), QStringList{fault.shown});
        EXPECT_EQ(busy.Depth(), 0);
        EXPECT_EQ(Listed(s, "IDSITUORCEVE"), QStringLiteral("2"));
        EXPECT_EQ(Listed(s, "IDMARCADO"), QLatin1String(fault.marked));
        if (fault.act == TAct::Die)
            RestartServer();
        EXPECT_EQ(Situacao(kNr), QStringLiteral("2"));
    }

    proxy->On(QString(), TAct::Forward);
    s.netFechaOrca->ReadTimeout = s.netContratante->ReadTimeout = 120s;
    Close(s);
    EXPECT_EQ(dialogs.Texts(),
              (QStringList{"O orçamento 0000001001 possui orçamento filho que não foi fechado.",
                           "Fechamento realizado com sucesso."}));
    EXPECT_EQ(busy.Depth(), 0);
    EXPECT_EQ(Listed(s, "IDSITUORCEVE"), QStringLiteral("3"));
    EXPECT_EQ(Situacao(kNr), QStringLiteral("3"));
}

} // namespace
