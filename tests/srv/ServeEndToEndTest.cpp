// Every remote operation through the real ore-server process and
// TNetConnection, on the demo database: an operator's session as the screens
// will run it, each write read back through the server.

#include "core/data/RecordSet.h"
#include "core/wire/WireVariant.h"
#include "framework/net/NetConnection.h"
#include "tests/srv/ClosingTestUtil.h"
#include "tests/support/DemoSession.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QString kFecha = QStringLiteral("ORE00800.rdmFechaOrca");
const QString kProc = QStringLiteral("ORE06400.rdmProcOrca");
const QString kContr = QStringLiteral("ORE09000.rdmContratante");

QVariant NoDate() {
    return QVariant::fromValue(TOleDateTime{0});
}

using TRow = QVariantMap;

// A packet's rows, read the way a screen reads it: every field by name.
std::vector<TRow> Rows(const QVariant& payload) {
    TRecordSet rs;
    rs.SetData(payload.value<TDataPacket>());
    std::vector<TRow> rows;
    for (rs.First(); !rs.Eof(); rs.Next()) {
        TRow row;
        for (int i = 0; i < rs.FieldCount(); ++i)
            row[rs.Fields(i).FieldName()] = rs.Fields(i).Value();
        rows.push_back(std::move(row));
    }
    return rows;
}

// The row whose `field` holds `value`, or an empty row.
TRow Find(const std::vector<TRow>& rows, const QString& field, const QString& value) {
    for (const TRow& r : rows)
        if (r.value(field).toString() == value)
            return r;
    return {};
}

class ServeEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RunSeedDemo(m_dir.filePath("ore.db")), 0);
        m_port = StartServer(m_server, m_dir.filePath("ore.db"), m_log);
        ASSERT_NE(m_port, 0) << m_log.toStdString();
        m_token = DemoSessionToken(m_port);
    }
    void TearDown() override {
        if (m_server.state() == QProcess::NotRunning)
            return;
        m_server.terminate();
        EXPECT_TRUE(m_server.waitForFinished(kProcessBoundMs));
        EXPECT_EQ(m_server.exitCode(), 0);
    }

    TServerReply Send(const QString& server, const QString& method, const QVariantList& args) {
        TNetConnection conn;
        conn.ServerName = server;
        conn.Port = m_port;
        conn.ThrowException = false;
        conn.SessionToken = m_token;
        return conn.Call(method, args);
    }
    QVariant Ok(const QString& server, const QString& method, const QVariantList& args) {
        const TServerReply r = Send(server, method, args);
        EXPECT_TRUE(r.ok) << method.toStdString() << ": " << r.message.toStdString();
        return r.payload;
    }
    QString Refused(const QString& server, const QString& method, const QVariantList& args) {
        const TServerReply r = Send(server, method, args);
        EXPECT_FALSE(r.ok) << method.toStdString() << " was accepted";
        return r.message;
    }
    // The first value of a check's answer: a catalogue key, or empty.
    QString Check(const char* method, const QVariantList& key) {
        return Ok(kContr, QString::fromLatin1(method), key).toList().value(0).toString();
    }
    // The header of the budget as the processing screen opens it.
    TRow Budget(const QVariantList& key) {
        const QVariantList packets = Ok(kProc, "GetOrcaProc", key).toList();
        EXPECT_EQ(packets.size(), 5);
        const std::vector<TRow> header = Rows(packets.value(0));
        EXPECT_EQ(header.size(), 1u);
        return header.empty() ? TRow() : header[0];
    }

    QTemporaryDir m_dir;
    QProcess m_server;
    QString m_log;
    int m_port = 0;
    QString m_token;
};

TEST_F(ServeEndToEnd, AnOperatorReviewsSetsUpAndClosesABudget) {
    const QVariantList k1001 = {"0001", "0000001001", "00"};
    const QVariantList k1006 = {"0001", "0000001006", "00"};
    auto with = [](QVariantList key, const QVariantList& more) { return key << more; };

    // Signing in: the operator's rights and the module's procedures.
    const QVariantList rights = Ok(kProc, "GetOperControle", {"MARIA"}).toList();
    ASSERT_EQ(rights.size(), 2);
    EXPECT_EQ(Rows(rights[0]).size(), 1u);
    EXPECT_EQ(Rows(rights[1]).size(), 1u);

    // The closing screen lists the branch's approved budgets and shows the
    // details of the first.
    QVariantList criteria = {"0001", "", "", NoDate(), NoDate(), NoDate(), NoDate()};
    criteria << ""
             << ""
             << ""
             << ""
             << ""
             << ""
             << "2"
             << ""
             << ""
             << "";
    const QVariantList list = Ok(kFecha, "GetOrcaEvento", criteria).toList();
    ASSERT_EQ(list.size(), 6);
    const std::vector<TRow> budgets = Rows(list[0]);
    EXPECT_FALSE(Find(budgets, "NRORCAEVENTO", "0000001006").empty());
    EXPECT_FALSE(Rows(list[1]).empty());
    EXPECT_EQ(Rows(Ok(kFecha, "GetGeral", k1001)).size(), 1u);
    EXPECT_FALSE(Rows(Ok(kFecha, "GetPrazoPgto", k1001)).empty());
    EXPECT_EQ(Rows(Ok(kFecha, "GetSalaoEven", k1001)).size(), 2u);
    EXPECT_EQ(Rows(Ok(kFecha, "GetParamOrca", {})).size(), 1u);
    EXPECT_EQ(Rows(Ok(kFecha, "GetVerifOrcaFecha", k1001)).size(), 1u); // its open child
    EXPECT_FALSE(Rows(Ok(kFecha, "GetGerenteSup", {""})).empty());
    // 1001's contracting clients pass every check.
    const std::vector<TRow> wedding = Rows(Ok(kContr, "GetExisteContratante", k1001));
    ASSERT_EQ(wedding.size(), 2u);
    for (const char* check : {"GetVdContraCancelado", "GetVdValor", "GetVdValorNegativo"})
        EXPECT_EQ(Check(check, k1001), "") << check;
    EXPECT_TRUE(Ok(kContr, "GetQtContratantes", k1001).toBool());
    EXPECT_EQ(Check("GetVdTipoEveCustEfet", k1001), "N");

    // The processing screen opens 1006, which nobody pays for yet.
    const TRow launch = Budget(k1006);
    ASSERT_FALSE(launch.empty());
    EXPECT_EQ(launch.value("IDSITUORCEVE").toString(), "2");
    const double total = launch.value("VRTOTALOREV").toDouble();
    const QVariant guests = launch.value("QTCONVORCEVE");
    ASSERT_GT(total, 0);
    EXPECT_TRUE(Rows(Ok(kContr, "GetContratantes", k1006)).empty());

    // Who pays: 1005's contracting client, for the whole total.
    const std::vector<TRow> sisters =
        Rows(Ok(kContr, "GetExisteContratante", {"0001", "0000001005", "00"}));
    ASSERT_EQ(sisters.size(), 1u);
    const QString payer = sisters[0].value("CDCLIENCONTORCA").toString();
    Ok(kContr, "IncluirContratante", with(k1006, {payer, QVariant(), guests, "0001"}));
    std::vector<TRow> clients = Rows(Ok(kContr, "GetContratantes", k1006));
    ASSERT_EQ(clients.size(), 1u);
    EXPECT_EQ(clients[0].value("CDCLIENCONTORCA").toString(), payer);
    EXPECT_EQ(clients[0].value("IDSITUCONTOREV").toString(), "ATIVO");
    EXPECT_FALSE(clients[0].value("NMRAZSOCCLIE").toString().isEmpty());
    EXPECT_EQ(Check("GetVdValor", k1006), "N_PARAM_VRNOTA_ZERO");
    Ok(kContr, "AlterarContratante", with(k1006, {payer, total, guests}));
    clients = Rows(Ok(kContr, "GetContratantes", k1006));
    ASSERT_EQ(clients.size(), 1u);
    EXPECT_NEAR(clients[0].value("VRRECECONTOREV").toDouble(), total, 0.005);
    EXPECT_EQ(Check("GetVdValor", k1006), "");

    // A second client added by mistake is cancelled: listed, but not counted.
    const QString mistake = wedding[0].value("CDCLIENCONTORCA").toString();
    Ok(kContr, "IncluirContratante", with(k1006, {mistake, 0.0, 0.0, "0001"}));
    EXPECT_EQ(Rows(Ok(kContr, "GetContratantes", k1006)).size(), 2u);
    Ok(kContr, "CancelarContratante", with(k1006, {mistake}));
    clients = Rows(Ok(kContr, "GetContratantes", k1006));
    EXPECT_EQ(Find(clients, "CDCLIENCONTORCA", mistake).value("IDSITUCONTOREV").toString(),
              "CANCELADO");
    EXPECT_EQ(Find(clients, "CDCLIENCONTORCA", payer).value("IDSITUCONTOREV").toString(), "ATIVO");
    EXPECT_EQ(Check("GetVdContraCancelado", k1006), "");
    EXPECT_EQ(Check("GetVdValor", k1006), "");
    EXPECT_EQ(Check("GetVdValorNegativo", k1006), "");
    EXPECT_TRUE(Ok(kContr, "GetQtContratantes", k1006).toBool());

    // The event's contracting client, as the budget shows it.
    EXPECT_TRUE(Ok(kFecha, "SetClieContratante", {payer, "0001", "0000001006"}).toBool());
    EXPECT_EQ(Budget(k1006).value("CDCLICONTORC").toString(), payer);

    // Closing it: the budget reads back closed, and cannot be closed twice.
    EXPECT_TRUE(Rows(Ok(kFecha, "GetVerifOrcaFecha", k1006)).empty());
    const QVariant marked = QVariant::fromValue(ListPacket("0001", 1006));
    Ok(kFecha, "FecharOrca", {marked, "MARIA", QVariant()});
    const TRow closed = Budget(k1006);
    EXPECT_EQ(closed.value("IDSITUORCEVE").toString(), "3");
    EXPECT_EQ(Refused(kFecha, "FecharOrca", {marked, "MARIA", QVariant()}),
              "O orçamento 0000001006-00 da filial 0001 já está fechado.");
    // Its contracting clients are settled now.
    EXPECT_EQ(Refused(kContr, "CancelarContratante", with(k1006, {payer})),
              "Os contratantes do orçamento 0000001006-00 da filial 0001 só podem ser alterados "
              "enquanto ele está aprovado.");
}

} // namespace
