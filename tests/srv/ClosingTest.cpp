// Closing budgets on the demo data: what each refusal says and that it
// changes nothing, what a closing generates, two operators at once, a
// closing that fails or is killed midway, and hostile input.

#include "tests/srv/ClosingTestUtil.h"

#include "framework/net/NetConnection.h"
#include "modules/ClosingModule.h"
#include "tests/support/DemoSession.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <latch>
#include <thread>

namespace {

const QString kBudget1001 = QStringLiteral("0000001001-00 da filial 0001");

class ClosingTest : public ClosingDbTest {
protected:
    // The closing passes its points to m_fault, which a test may set.
    void SetUp() override {
        ClosingDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        RegisterClosingModule(m_registry, UrlString(), [this](const QString& point) {
            if (m_fault)
                m_fault(point);
        });
    }

    QString Situacao(const QString& filial, int numero, const QString& seq = "00") {
        return Scalar(QStringLiteral("SELECT IDSITUORCEVE FROM ORCAEVENTO WHERE CDFILIAL = :F "
                                     "AND NRORCAEVENTO = :N AND NRSEQORCAEVE = :S"),
                      {{"F", filial}, {"N", Nr(numero)}, {"S", seq}})
            .toString();
    }
    // Sums over what a closing generated for one budget.
    double Sum(const char* table, const char* column, int numero, const QString& seq = "00",
               const QString& extra = {}) {
        return Scalar(QStringLiteral("SELECT COALESCE(SUM(%1), 0) FROM %2 WHERE NRORCAEVENTO = "
                                     ":N AND NRSEQORCAEVE = :S %3")
                          .arg(QLatin1String(column), QLatin1String(table), extra),
                      {{"N", Nr(numero)}, {"S", seq}})
            .toDouble();
    }
    qint64 Count(const char* table, int numero, const QString& seq = "00") {
        return Scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE NRORCAEVENTO = :N AND "
                                     "NRSEQORCAEVE = :S")
                          .arg(QLatin1String(table)),
                      {{"N", Nr(numero)}, {"S", seq}})
            .toLongLong();
    }
    double Total(int numero, const QString& seq = "00") {
        return Scalar(QStringLiteral("SELECT VRTOTALOREV FROM ORCAEVENTO WHERE NRORCAEVENTO = :N "
                                     "AND NRSEQORCAEVE = :S"),
                      {{"N", Nr(numero)}, {"S", seq}})
            .toDouble();
    }
    // A budget's closing left whole: closed, recorded, and its receivables
    // adding up to the realised total, instalment by instalment.
    void ExpectWhollyClosed(int numero, const QString& oper) {
        SCOPED_TRACE(numero);
        EXPECT_EQ(Situacao("0001", numero), "3");
        EXPECT_EQ(Count("FECHAORCA", numero), 1);
        EXPECT_EQ(Scalar(QStringLiteral("SELECT CDOPEFECHOREV FROM ORCAEVENTO WHERE "
                                        "NRORCAEVENTO = :N AND NRSEQORCAEVE = '00'"),
                         {{"N", Nr(numero)}})
                      .toString(),
                  oper);
        EXPECT_GT(Count("PEDIDO", numero), 0);
        EXPECT_NEAR(Sum("CONTAREC", "VRCONTAREC", numero), Total(numero), 0.005);
        EXPECT_NEAR(Scalar(QStringLiteral("SELECT COALESCE(SUM(P.VRPARCELA), 0) FROM "
                                          "PARCCONTAREC P JOIN CONTAREC C ON C.CDFILIAL = "
                                          "P.CDFILIAL AND C.NRCONTAREC = P.NRCONTAREC WHERE "
                                          "C.NRORCAEVENTO = :N AND C.NRSEQORCAEVE = '00'"),
                           {{"N", Nr(numero)}})
                        .toDouble(),
                    Total(numero), 0.005);
    }
    void ExpectUntouched(int numero) {
        SCOPED_TRACE(numero);
        EXPECT_EQ(Situacao("0001", numero), "2");
        EXPECT_EQ(Count("FECHAORCA", numero), 0);
        EXPECT_EQ(Count("PEDIDO", numero), 0);
        EXPECT_EQ(Count("CONTAREC", numero), 0);
    }
    QVariant NewClient(const QString& numero, const QString& inscricao, const QString& fantasia) {
        return QVariant::fromValue(NewClientPacket(
            numero,
            {{"NRINSJURORCA", inscricao}, {"IDTPINJUORCA", "F"}, {"NMFANTCLIE", fantasia}}));
    }

    TFaultPoints m_fault;
};

TEST_P(ClosingTest, EachRefusalSaysWhyAndChangesNothing) {
    struct Case {
        std::vector<TListRow> list;
        QString oper;
        QString message;
    };
    auto one = [](const char* filial, int numero, const char* seq = "00") {
        return std::vector<TListRow>{
            {QString::fromLatin1(filial), Nr(numero), QString::fromLatin1(seq)}};
    };
    const std::vector<Case> cases = {
        // What the branch lacks, as keys the screen translates.
        {one("0002", 2001), "MARIA", "N_PARAM_PED|0002"},
        {one("0003", 3001), "MARIA", "N_PARAM_TIPOOPER"},
        {one("0004", 4001), "MARIA", "N_PARAM_TPCTREC|V02"},
        {one("0005", 5001), "MARIA", "N_PARAM_SERIE"},
        {one("0006", 6002), "MARIA", "N_PARAM_TIPOOPERORENEG"},
        {one("0006", 6003, "01"), "MARIA", "N_PARAM_AJUSTEREC"},
        {one("0006", 6004), "MARIA", "N_PARAM_TIPOOPERPAG"},
        {one("0007", 7001), "MARIA", "N_PARAM_TPCTPAG"},
        {one("0007", 7002), "MARIA", "N_PARAM_TPCTPAGNEG|D02"},
        {one("0008", 8001), "MARIA", "N_PARAM_SERIEENTR"},
        // The parent's bills.
        {one("0001", 1003, "01"), "MARIA", "N_BOLETOS_ABERTOS"},
        {one("0001", 1004, "01"), "MARIA", "N_PARAM_CONTAREC"},
        // The budget and its contracting clients.
        {one("0001", 1008), "MARIA", "N_PARAM_VRNOTA_ZERO"},
        {one("0001", 1015), "MARIA", "N_PARAM_VRORCA_ZERO"},
        {one("0001", 1016), "MARIA", "N_PARAM_CDEMPRESAORCA"},
        {one("0001", 1017), "MARIA", "N_PARAM_EMPRESARELAC"},
        {one("0001", 1018), "MARIA", "N_PARAM_NRINSCESTA"},
        {one("0001", 1002), "MARIA", "O orçamento 0000001002-00 da filial 0001 já está fechado."},
        {one("0001", 1024), "MARIA",
         "O orçamento 0000001024-00 da filial 0001 não está aprovado e não pode ser fechado."},
        {one("0001", 1005), "MARIA",
         "O cliente do orçamento 0000001005-00 da filial 0001 não está cadastrado e os seus "
         "dados não foram informados; o fechamento não foi realizado."},
        {one("0001", 1006), "MARIA",
         "Não há contratante informado para o orçamento 0000001006-00 da filial 0001; o "
         "fechamento não foi realizado."},
        {one("0001", 1007), "MARIA",
         "Todos os contratantes do orçamento 0000001007-00 da filial 0001 estão cancelados; o "
         "fechamento não foi realizado."},
        {one("0001", 1009), "MARIA",
         "A soma dos valores cobrados dos contratantes do orçamento 0000001009-00 da filial 0001 "
         "difere do valor realizado; o fechamento não foi realizado."},
        {one("0001", 1010), "MARIA",
         "A quantidade de contratantes do orçamento 0000001010-00 da filial 0001 difere da "
         "quantidade do lançamento; o fechamento não foi realizado."},
        {one("0001", 1014), "MARIA",
         "O orçamento 0000001014-00 da filial 0001 tem valor negativo e todos os seus "
         "contratantes devem ter valor cobrado menor que zero; o fechamento não foi realizado."},
        {one("0001", 1022), "MARIA",
         "Os convidados dos contratantes do orçamento 0000001022-00 da filial 0001 não conferem "
         "com os do orçamento; o fechamento não foi realizado."},
        {one("0001", 1019), "MARIA",
         "O produto 3022 (Cadeira Tiffany) não tem departamento parametrizado na filial 0001; o "
         "orçamento 0000001019-00 da filial 0001 não foi fechado."},
        {one("0001", 1020), "MARIA",
         "Não há filial parametrizada para receber os pedidos do departamento 008 do produto 3013 "
         "(Escultura de gelo); o orçamento 0000001020-00 da filial 0001 não foi fechado."},
        // Who closes, and what is marked.
        {one("0001", 1001), "NINGUEM",
         "O operador informado não está cadastrado ou está inativo; o fechamento não foi "
         "realizado."},
        {one("0001", 1001), "ANTIGO",
         "O operador informado não está cadastrado ou está inativo; o fechamento não foi "
         "realizado."},
        {{{"0001", Nr(1001), "00", "N"}}, "MARIA", "Nenhum orçamento foi marcado para fechamento."},
        // Everything or nothing: a budget that would close goes back with the one refused.
        {{{"0001", Nr(1001), "00"}, {"0002", Nr(2001), "00"}}, "MARIA", "N_PARAM_PED|0002"},
    };
    const auto before = Fingerprint();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        const TServerReply r = Fechar(ListPacket(c.list), c.oper);
        ASSERT_FALSE(r.ok);
        EXPECT_EQ(r.message.toStdString(), c.message.toStdString());
        EXPECT_EQ(Fingerprint(), before);
    }
}

TEST_P(ClosingTest, AClosingGeneratesOrdersReceivablesAndItsRecord) {
    ASSERT_TRUE(Fechar(ListPacket("0001", 1001)).ok);
    ExpectWhollyClosed(1001, "MARIA");
    // One receivable per paying contracting client (60/40), one order per department.
    EXPECT_EQ(Count("CONTAREC", 1001), 2);
    EXPECT_EQ(Scalar("SELECT COUNT(DISTINCT CDDEPTO) FROM PEDIDO WHERE NRORCAEVENTO = :N",
                     {{"N", Nr(1001)}})
                  .toLongLong(),
              Count("PEDIDO", 1001));
    EXPECT_NEAR(Scalar("SELECT SUM(I.VRTOTALITEMPED) FROM ITEMPEDIDO I JOIN PEDIDO P ON "
                       "P.CDFILIAL = I.CDFILIAL AND P.NRPEDIDO = I.NRPEDIDO WHERE "
                       "P.NRORCAEVENTO = :N AND P.NRSEQORCAEVE = '00'",
                       {{"N", Nr(1001)}})
                    .toDouble(),
                Sum("PEDIDO", "VRTOTALPED", 1001), 0.005);
    EXPECT_EQ(Scalar("SELECT QTPEDIDOS + QTCONTAREC FROM FECHAORCA WHERE NRORCAEVENTO = :N",
                     {{"N", Nr(1001)}})
                  .toLongLong(),
              Count("PEDIDO", 1001) + 2);
    // Its child is still open, and closes on its own afterwards.
    EXPECT_EQ(Situacao("0001", 1001, "01"), "2");

    // A new customer is registered by the closing and becomes the budget's.
    ASSERT_TRUE(Fechar(ListPacket("0001", 1005), "JOAO",
                       NewClient(Nr(1005), "11122233396", "Marina Nogueira"))
                    .ok);
    ExpectWhollyClosed(1005, "JOAO");
    EXPECT_EQ(Scalar("SELECT CDCLIENTE FROM ORCAEVENTO WHERE NRORCAEVENTO = :N", {{"N", Nr(1005)}})
                  .toString(),
              "F11122233396");
    EXPECT_EQ(Scalar("SELECT NMFANTCLIE FROM CLIENTE WHERE CDCLIENTE = 'F11122233396'").toString(),
              "Marina Nogueira");

    // Several marked budgets close together.
    ASSERT_TRUE(Fechar(ListPacket({{"0001", Nr(1011), "00"},
                                   {"0001", Nr(1012), "00"},
                                   {"0001", Nr(1019), "00", "N"}}))
                    .ok);
    ExpectWhollyClosed(1011, "MARIA");
    ExpectWhollyClosed(1012, "MARIA");
    EXPECT_EQ(Situacao("0001", 1019), "2");
}

TEST_P(ClosingTest, PayablesAndTheParentsOpenInstalments) {
    // A third-party item becomes a payable to its supplier.
    ASSERT_TRUE(Fechar(ListPacket("0001", 1023)).ok);
    EXPECT_EQ(Scalar("SELECT VRCONTAPAG FROM CONTAPAG WHERE NRORCAEVENTO = :N AND CDFORNECEDOR "
                     "IS NOT NULL",
                     {{"N", Nr(1023)}})
                  .toDouble(),
              5800.0);

    // A budget below zero is a payable to the customer, and no receivable.
    ASSERT_TRUE(Fechar(ListPacket("0001", 1013)).ok);
    EXPECT_NEAR(Sum("CONTAPAG", "VRCONTAPAG", 1013, "00", "AND CDCLIENTE IS NOT NULL"),
                -Total(1013), 0.005);
    EXPECT_EQ(Count("CONTAREC", 1013), 0);

    // A child of a closed budget adds its total to the parent's open
    // instalments; the paid one stays as it was.
    const QString parcelas = QStringLiteral(
        "SELECT COALESCE(SUM(P.VRPARCELA), 0) FROM PARCCONTAREC P JOIN CONTAREC C ON C.CDFILIAL "
        "= P.CDFILIAL AND C.NRCONTAREC = P.NRCONTAREC WHERE C.NRORCAEVENTO = :N AND "
        "P.IDSITUPARC = :SIT");
    const double abertas = Scalar(parcelas, {{"N", Nr(1002)}, {"SIT", "A"}}).toDouble();
    const double pagas = Scalar(parcelas, {{"N", Nr(1002)}, {"SIT", "L"}}).toDouble();
    ASSERT_TRUE(Fechar(ListPacket("0001", 1002, "01")).ok);
    EXPECT_EQ(Situacao("0001", 1002, "01"), "3");
    EXPECT_NEAR(Scalar(parcelas, {{"N", Nr(1002)}, {"SIT", "A"}}).toDouble(),
                abertas + Total(1002, "01"), 0.005);
    EXPECT_EQ(Scalar(parcelas, {{"N", Nr(1002)}, {"SIT", "L"}}).toDouble(), pagas);
    EXPECT_NEAR(Sum("AJUSTECONTAREC", "VRAJUSTE", 1002, "01"), Total(1002, "01"), 0.005);
    EXPECT_EQ(Count("CONTAREC", 1002, "01"), 0);
}

TEST_P(ClosingTest, TwoOperatorsClosingTheSameBudgetCloseItOnce) {
    std::latch start(2);
    TServerReply replies[2];
    auto close = [&](int i, const char* oper) {
        start.arrive_and_wait();
        replies[i] = Fechar(ListPacket("0001", 1001), QString::fromLatin1(oper));
        CloseThreadDatabases();
    };
    std::thread a(close, 0, "MARIA"), b(close, 1, "JOAO");
    a.join();
    b.join();
    ASSERT_NE(replies[0].ok, replies[1].ok)
        << replies[0].message.toStdString() << " / " << replies[1].message.toStdString();
    const TServerReply& refused = replies[0].ok ? replies[1] : replies[0];
    EXPECT_EQ(refused.message, QStringLiteral("O orçamento %1 já está fechado.").arg(kBudget1001));
    ExpectWhollyClosed(1001, replies[0].ok ? "MARIA" : "JOAO");
}

TEST_P(ClosingTest, OnlyTheRecordsUniqueKeyIsTakenForAnotherOperatorsClosing) {
    // A record of 1001's closing is there already: its unique key refuses another.
    ExecSql(Db(),
            "INSERT INTO FECHAORCA (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, CDOPERADOR, DTFECHAORCA, "
            "VRTOTALOREV) VALUES ('0001', :N, '00', 'JOAO', 46000, 0)",
            {{"N", Nr(1001)}});
    const auto before = Fingerprint();
    TServerReply r = Fechar(ListPacket("0001", 1001));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message,
              QStringLiteral("O orçamento %1 já foi fechado por outro operador.").arg(kBudget1001));
    EXPECT_EQ(Fingerprint(), before);

    // Any other failure of the record is the database's error, even a constraint's.
    if (GetParam() == TDialect::SQLite) {
        Db().ExecRaw("CREATE TRIGGER FECHAORCA_RECUSA BEFORE INSERT ON FECHAORCA BEGIN "
                     "SELECT RAISE(ABORT, 'registro recusado'); END");
    } else {
        Db().ExecRaw("CREATE FUNCTION FECHAORCA_RECUSA() RETURNS trigger LANGUAGE plpgsql AS $$ "
                     "BEGIN RAISE EXCEPTION 'registro recusado' USING ERRCODE = "
                     "'check_violation'; END $$");
        Db().ExecRaw("CREATE TRIGGER FECHAORCA_RECUSA BEFORE INSERT ON FECHAORCA FOR EACH ROW "
                     "EXECUTE FUNCTION FECHAORCA_RECUSA()");
    }
    r = Fechar(ListPacket("0001", 1011));
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.message.isEmpty());
    EXPECT_FALSE(r.message.contains(QStringLiteral("outro operador"))) << r.message.toStdString();
    EXPECT_EQ(Fingerprint(), before);
}

TEST_P(ClosingTest, AClosingThatFailsMidwayLeavesNothingBehind) {
    const auto before = Fingerprint();
    for (const char* point : {"FecharOrca:pedidos", "FecharOrca:commit"}) {
        SCOPED_TRACE(point);
        m_fault = [point](const QString& p) {
            if (p == QLatin1String(point))
                throw std::runtime_error("falha provocada");
        };
        // The second budget fails after the first was written.
        const TServerReply r =
            Fechar(ListPacket({{"0001", Nr(1011), "00"}, {"0001", Nr(1001), "00"}}));
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(Fingerprint(), before);
    }
    m_fault = {};
    ASSERT_TRUE(Fechar(ListPacket("0001", 1001)).ok);
    ExpectWhollyClosed(1001, "MARIA");
}

TEST_P(ClosingTest, HostileInputIsDataNotSql) {
    const auto before = Fingerprint();
    EXPECT_FALSE(Fechar(ListPacket("0001", 1001), "MARIA'; DELETE FROM ORCAEVENTO; --").ok);
    const TServerReply r = Fechar(ListPacket({{"0001", "1' OR 1=1-", "00"}}));
    EXPECT_EQ(r.message, "O orçamento 1' OR 1=1--00 da filial 0001 não foi encontrado.");
    EXPECT_EQ(Fingerprint(), before);

    // A new customer's name with quotes and a statement is stored as typed.
    const QString name = QStringLiteral("Marina'); DROP TABLE CLIENTE; --");
    ASSERT_TRUE(
        Fechar(ListPacket("0001", 1005), "MARIA", NewClient(Nr(1005), "55544433322", name)).ok);
    EXPECT_EQ(Scalar("SELECT NMFANTCLIE FROM CLIENTE WHERE CDCLIENTE = 'F55544433322'").toString(),
              name);
    ExpectWhollyClosed(1005, "MARIA");
}

// The real server killed in the middle of a closing: after a restart the
// budget is untouched, and then closes whole.
TEST_P(ClosingTest, AServerKilledMidClosingLeavesTheBudgetUntouched) {
    const auto before = Fingerprint();
    CloseThreadDatabases();
    for (const char* fault : {"FecharOrca:commit", ""}) {
        SCOPED_TRACE(fault);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("ORE_FAULT_POINT", QString::fromLatin1(fault));
        QString log;
        const int port = StartServer(p, UrlString(), log, env);
        ASSERT_NE(port, 0) << log.toStdString();

        TNetConnection conn;
        conn.SessionToken = DemoSessionToken(port);
        conn.ServerName = "ORE00800.rdmFechaOrca";
        conn.Port = port;
        conn.ThrowException = false;
        const TServerReply r = conn.Call(
            "FecharOrca",
            {QVariant::fromValue(ListPacket({{"0001", Nr(1011), "00"}, {"0001", Nr(1001), "00"}})),
             "MARIA", QVariant()});
        if (*fault) {
            EXPECT_FALSE(r.ok);
            ASSERT_TRUE(p.waitForFinished(kProcessBoundMs));
            EXPECT_EQ(p.exitStatus(), QProcess::CrashExit);
            EXPECT_EQ(Fingerprint(), before);
            ExpectUntouched(1001);
            ExpectUntouched(1011);
            CloseThreadDatabases();
        } else {
            EXPECT_TRUE(r.ok) << r.message.toStdString();
            p.terminate();
            ASSERT_TRUE(p.waitForFinished(kProcessBoundMs));
            ExpectWhollyClosed(1011, "MARIA");
            ExpectWhollyClosed(1001, "MARIA");
        }
    }
}

ORE_INSTANTIATE_ENGINES(ClosingTest);

} // namespace
