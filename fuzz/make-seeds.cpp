// Writes the seed corpus of every harness (fuzz/corpus/<harness>/seed-*):
// packets and envelopes as the codecs write them, and the filters, masks,
// formats and code lists the screens use.

#include "core/wire/ListString.h"
#include "fuzz/FuzzCalls.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace {

QString g_root;

void Write(const char* harness, int n, const QByteArray& bytes) {
    const QString dir = g_root + u'/' + QLatin1StringView(harness);
    QDir().mkpath(dir);
    QFile f(dir + QStringLiteral("/seed-%1").arg(n, 2, 10, QLatin1Char('0')));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        Fuzz::Broken("a seed could not be written");
}

void WriteTexts(const char* harness, const QStringList& texts) {
    int n = 0;
    for (const QString& t : texts)
        Write(harness, ++n, t.toUtf8());
}

std::vector<TDataPacket> Packets() {
    TRecordSet budgets(Fuzz::BudgetDefs());
    Fuzz::FillBudgets(budgets);
    std::vector<TDataPacket> out;
    out.push_back(budgets.Data()); // every row inserted
    budgets.MergeChangeLog();
    out.push_back(budgets.Data()); // as a server sends it
    budgets.First();
    budgets.Edit();
    budgets.FieldByName(QStringLiteral("NMCLIENTE")).SetAsString(QStringLiteral("Outro nome"));
    budgets.Post();
    budgets.Last();
    budgets.Delete();
    out.push_back(budgets.Data()); // an edit and a deletion pending
    TRecordSet empty(Fuzz::BudgetDefs());
    empty.CreateDataSet();
    out.push_back(empty.Data());
    out.push_back(Fuzz::ClosingList({{"0001", "0000001001", "00", "2", "S"}}));
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("Uso: make-seeds PASTA-DO-CORPUS\n", stderr);
        return 2;
    }
    g_root = QString::fromLocal8Bit(argv[1]);

    const std::vector<TDataPacket> packets = Packets();
    int n = 0;
    for (const TDataPacket& p : packets)
        Write("packet", ++n, p.Bytes());

    n = 0;
    for (const TCallRequest& call : Fuzz::RealCalls()) {
        const QByteArray envelope = Wire::EncodeRequest(call);
        Write("request", ++n, envelope);
        Write("wire", n, envelope);
    }
    QVariantList payload;
    for (const TDataPacket& p : packets)
        payload << QVariant::fromValue(p);
    const QVariantList nested = {1,
                                 2.5,
                                 true,
                                 QVariant(),
                                 "texto",
                                 Fuzz::Ole(46023.75),
                                 QVariantList{QVariantList{"a", qint64(-1) << 40}}};
    for (const QByteArray& bytes : {Wire::EncodeReply(TServerReply::Success(payload)),
                                    Wire::EncodeReply(TServerReply::Success(QVariant())),
                                    Wire::EncodeReply(TServerReply::Failure(
                                        QStringLiteral("O orçamento 1001 já está fechado."))),
                                    Wire::EncodeVariant(nested)})
        Write("wire", ++n, bytes);

    WriteTexts("liststring",
               {ListString::Encode({"0005", "0006"}), ListString::Encode({"PR_01", "PR\\02", "X"}),
                ListString::Encode({"12345678"}), QString(), QStringLiteral("a\\\\_b\\_c")});
    WriteTexts("filter", {QStringLiteral("NRORCAEVENTO = '0000001001'"),
                          QStringLiteral("NRSEQORCAEVE = '01'"),
                          QStringLiteral("CDFILIAL = '0001' AND NRORCAEVENTO = '0000001002' AND "
                                         "NRSEQORCAEVE = '01'"),
                          QStringLiteral("NMCLIENTE = 'Buffet O''Brien'"),
                          QStringLiteral("  IDMARCADO='1'  and QTCONVIDADOS = '120' "), QString()});
    WriteTexts("formats",
               {QStringLiteral("00.000.000/0000-00;0;_\n11222333000181"),
                QStringLiteral("000.000.000-00;1;_\n529.982.247-25"),
                QStringLiteral("!00:00;0; \n930"), QStringLiteral(">aaaa;0; \npr01"),
                QStringLiteral(">cccccccccc;0; \nabc def"),
                QStringLiteral("00/00/0000;1;_\n31/12/2026"), QStringLiteral(">L<llll;0; \nmaria"),
                QStringLiteral("00\\900;0;_\n1234"), QStringLiteral("#,##0.00\n1.234.567,891"),
                QStringLiteral("#,##0\n-12500,5"), QStringLiteral("#0.00 %\n12.5"),
                QStringLiteral("0.00;(0.00);'zero'\n-0,004"), QStringLiteral("0.###E+00\n1e300"),
                QStringLiteral("\"R$ \"#,##0.00\n0")});
    return 0;
}
