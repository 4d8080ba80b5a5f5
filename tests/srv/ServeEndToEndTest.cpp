// Every remote operation through the real ore-server process and
// TNetConnection, on the demo database: what the screens will do.

#include "NetConnection.h"
#include "RecordSet.h"
#include "ServerTestUtil.h"
#include "WireVariant.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kFecha = QStringLiteral("ORE00800.rdmFechaOrca");
const QString kProc = QStringLiteral("ORE06400.rdmProcOrca");
const QString kContr = QStringLiteral("ORE09000.rdmContratante");

QVariant NoDate() {
    return QVariant::fromValue(TOleDateTime{0});
}

// How many rows a packet holds, read the way a screen reads it.
int Rows(const QVariant& payload) {
    TRecordSet rs;
    rs.SetData(payload.value<TDataPacket>());
    return rs.RecordCount();
}

TEST(ServeEndToEnd, EveryOperationAnswersOverHttp) {
    QTemporaryDir dir;
    const QString db = dir.filePath("ore.db");
    ASSERT_EQ(RunSeedDemo(db), 0);
    QProcess p;
    QString log;
    const int port = StartServer(p, db, log);
    ASSERT_NE(port, 0) << log.toStdString();

    auto call = [&](const QString& server, const QString& method, const QVariantList& args) {
        TNetConnection conn;
        conn.ServerName = server;
        conn.Port = port;
        conn.ThrowException = false;
        const TServerReply r = conn.Call(method, args);
        EXPECT_TRUE(r.ok) << method.toStdString() << ": " << r.message.toStdString();
        return r.payload;
    };
    const QVariantList key = {"0001", "0000001001", "00"};

    const QVariantList rights = call(kProc, "GetOperControle", {"MARIA"}).toList();
    ASSERT_EQ(rights.size(), 2);
    EXPECT_EQ(Rows(rights[0]), 1);

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
    const QVariantList list = call(kFecha, "GetOrcaEvento", criteria).toList();
    ASSERT_EQ(list.size(), 6);
    EXPECT_GT(Rows(list[0]), 0);
    EXPECT_GT(Rows(list[1]), 0);

    EXPECT_EQ(Rows(call(kFecha, "GetGeral", key)), 1);
    EXPECT_GT(Rows(call(kFecha, "GetPrazoPgto", key)), 0);
    EXPECT_GT(Rows(call(kFecha, "GetSalaoEven", key)), 0);
    EXPECT_EQ(Rows(call(kFecha, "GetParamOrca", {})), 1);
    EXPECT_EQ(Rows(call(kFecha, "GetVerifOrcaFecha", key)), 1); // its open child
    EXPECT_GT(Rows(call(kFecha, "GetGerenteSup", {""})), 0);

    EXPECT_EQ(Rows(call(kContr, "GetExisteContratante", key)), 2);
    for (const char* check : {"GetVdContraCancelado", "GetVdValor", "GetVdValorNegativo"})
        EXPECT_TRUE(call(kContr, check, key).toList().value(0).toString().isEmpty()) << check;
    EXPECT_TRUE(call(kContr, "GetQtContratantes", key).toBool());
    call(kContr, "GetVdTipoEveCustEfet", key);

    p.terminate();
    ASSERT_TRUE(p.waitForFinished(kProcessBoundMs));
    EXPECT_EQ(p.exitCode(), 0);
}

} // namespace
