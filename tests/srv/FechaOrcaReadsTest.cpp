// The read operations of the closing screen's remote modules, called through
// the registry on the demo database of each engine.

#include "tests/srv/RowsAsText.h"
#include "tests/srv/ServerTestUtil.h"
#include "tests/support/DemoSession.h"
#include "tests/support/QtPrinters.h"

#include "core/data/Field.h"
#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "core/layouts/ControlLayouts.h"
#include "core/layouts/OrcaLayouts.h"
#include "core/wire/ListString.h"
#include "core/wire/WireVariant.h"
#include "framework/net/NetConnection.h"
#include "modules/FechaOrcaModule.h"
#include "rpc/Modules.h"
#include "rpc/RemoteModuleRegistry.h"
#include "session/SessionModule.h"
#include "session/SessionStore.h"
#include "storage/Commands.h"
#include "transport/RpcServer.h"

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>

namespace {

const QString kFecha = QStringLiteral("ORE00800.rdmFechaOrca");
const QString kProc = QStringLiteral("ORE06400.rdmProcOrca");
const TFieldDefs kPick = {StrField("CDVENDEDOR", 4), StrField("NMFANVEN", 50)};

// One budget of a list: "1001-00" and its fields as text.
using TBudgets = std::map<QString, std::map<QString, QString>>;

std::unique_ptr<TRecordSet> Load(const QVariant& packet, const TFieldDefs& layout) {
    auto rs = std::make_unique<TRecordSet>(layout);
    rs->SetData(packet.value<TDataPacket>());
    return rs;
}

QVariant Ole(double day);

QString Key(const std::map<QString, QString>& row) {
    return row.at("NRORCAEVENTO").right(4) + u'-' + row.at("NRSEQORCAEVE");
}

class FechaOrcaReads : public SeededModulesTest {
protected:
    QVariant Ok(const QString& method, const QVariantList& args, const QString& server = kFecha) {
        const TServerReply r = Call(server, method, args);
        EXPECT_TRUE(r.ok) << method.toStdString() << ": " << r.message.toStdString();
        return r.payload;
    }
    QString Refusal(const QString& method, const QVariantList& args,
                    const QString& server = kFecha) {
        const TServerReply r = Call(server, method, args);
        EXPECT_FALSE(r.ok) << method.toStdString() << " was accepted";
        return r.message;
    }

    // The 17 arguments of the list: the screen's defaults with `changes`.
    static QVariantList ListArgs(std::map<int, QVariant> changes = {}) {
        QVariantList args = {"0001", "", "", Ole(0), Ole(0), Ole(0), Ole(0), "", "",
                             "",     "", "", "",     "2",    "",     "",     ""};
        for (const auto& [i, v] : changes)
            args[i] = v;
        return args;
    }
    QVariantList List(const QVariantList& args) { return Ok("GetOrcaEvento", args).toList(); }
    TBudgets Budgets(const QVariantList& args) {
        const QVariantList packets = List(args);
        TBudgets out;
        if (packets.size() != 6) {
            ADD_FAILURE() << "expected six packets, got " << packets.size();
            return out;
        }
        auto rs = Load(packets[0], LayoutOrcaEvento());
        for (auto& row : Rows(*rs))
            out[Key(row)] = row;
        return out;
    }
    static std::set<QString> Keys(const TBudgets& b) {
        std::set<QString> keys;
        for (const auto& [k, row] : b)
            keys.insert(k);
        return keys;
    }
    static std::set<QString>
    Where(const TBudgets& b, const std::function<bool(const std::map<QString, QString>&)>& p) {
        std::set<QString> keys;
        for (const auto& [k, row] : b)
            if (p(row))
                keys.insert(k);
        return keys;
    }
};

QVariant Ole(double day) {
    return QVariant::fromValue(TOleDateTime{day});
}

double OleDay(int y, int m, int d) {
    return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d)));
}

TEST_P(FechaOrcaReads, DefaultCriteriaGiveTheBranchsApprovedBudgetsUnmarked) {
    const TBudgets budgets = Budgets(ListArgs());
    const std::set<QString> keys = Keys(budgets);
    for (const char* k : {"1001-00", "1001-01", "1002-01", "1005-00", "1023-00"})
        EXPECT_TRUE(keys.count(k)) << k;
    for (const char* k : {"1002-00", "1024-00", "1028-00"})
        EXPECT_FALSE(keys.count(k)) << k;
    for (const auto& [k, row] : budgets) {
        EXPECT_EQ(row.at("CDFILIAL"), "0001") << k.toStdString();
        EXPECT_EQ(row.at("IDSITUORCEVE"), "2") << k.toStdString();
        EXPECT_NE(row.at("IDMARCADO"), "S") << k.toStdString();
    }
    // Names come from their catalogues.
    EXPECT_EQ(budgets.at("1001-00").at("NMFANVEN"), "Ana Ribeiro");
    EXPECT_EQ(budgets.at("1001-00").at("NMFANGER"), "Carla Mendes");
    EXPECT_EQ(budgets.at("1005-00").at("NMCLIEORCEVE"), "Marina Albuquerque Nogueira");

    // Closed ones too when asked; never marked either.
    const TBudgets both = Budgets(ListArgs({{13, "23"}}));
    EXPECT_TRUE(Keys(both).count("1002-00"));
    EXPECT_EQ(Where(both, [](auto& r) { return r.at("IDSITUORCEVE") == "2"; }), keys);
    for (const auto& [k, row] : both)
        EXPECT_NE(row.at("IDMARCADO"), "S") << k.toStdString();
    EXPECT_TRUE(Budgets(ListArgs({{0, "0006"}, {13, "8"}})).empty());
}

TEST_P(FechaOrcaReads, EachCriterionSelectsWhatItShould) {
    // Every situation: each criterion must give this list narrowed by its own rule.
    const TBudgets all = Budgets(ListArgs({{13, "12345678"}}));
    ASSERT_GT(all.size(), 25u);
    const QVariantList items = List(ListArgs({{13, "12345678"}}));
    auto itemRows = Rows(*Load(items[1], LayoutItemOrcaEven()));
    auto labourRows = Rows(*Load(items[3], LayoutItMaoObra()));
    auto has = [](const std::vector<std::map<QString, QString>>& rows, const QString& product) {
        std::set<QString> keys;
        for (const auto& r : rows)
            if (r.at("CDPRODUTO") == product)
                keys.insert(Key(r));
        return keys;
    };
    const double jan9 = OleDay(2027, 1, 9), jan28 = OleDay(2027, 1, 28);
    const struct {
        const char* name;
        std::map<int, QVariant> args;
        std::function<bool(const std::map<QString, QString>&)> expected;
        std::set<QString> expectedKeys = {}; // instead of `expected`
    } cases[] = {
        {"numbers, padded as stored",
         {{1, "1005"}, {2, "0000001011"}},
         [](auto& r) {
             return r.at("NRORCAEVENTO") >= "0000001005" && r.at("NRORCAEVENTO") <= "0000001011";
         }},
        {"from a number on",
         {{1, "1025"}},
         [](auto& r) { return r.at("NRORCAEVENTO") >= "0000001025"; }},
        // An event at 20:00 on the last day is inside the range.
        {"event dates, whole days", {{3, Ole(jan9)}, {4, Ole(jan9 + 0.25)}}, {}, {"1023-00"}},
        {"event dates as plain numbers", {{3, jan28}, {4, jan28}}, {}, {"1006-00"}},
        {"sellers",
         {{7, "0007_0008"}},
         [](auto& r) { return r.at("CDVENDEDOR") == "0007" || r.at("CDVENDEDOR") == "0008"; }},
        {"customers",
         {{8, ListString::Encode({"F39053344705", "J60701190000104"})}},
         [](auto& r) {
             return r.at("CDCLIENTE") == "F39053344705" || r.at("CDCLIENTE") == "J60701190000104";
         }},
        {"service types", {{9, "003"}}, [](auto& r) { return r.at("CDTPSERVEVEN") == "003"; }},
        {"event types",
         {{10, "001_003"}},
         [](auto& r) { return r.at("CDTIPOEVENTO") == "001" || r.at("CDTIPOEVENTO") == "003"; }},
        {"products", {{11, "4012"}}, {}, has(itemRows, "4012")},
        {"labour", {{12, "9013"}}, {}, has(labourRows, "9013")},
        {"new customer, ignoring case",
         {{14, "marina ALBUQUERQUE"}},
         [](auto& r) { return r.at("NMCLIEORCEVE").contains("Marina Albuquerque"); }},
        {"title, ignoring case of accented capitals",
         {{15, "ANIVERSÁRIO"}},
         [](auto& r) { return r.at("DSTITUORCEVE").contains("Aniversário"); }},
        {"manager", {{16, "0002"}}, [](auto& r) { return r.at("CDGERVENDEDOR") == "0002"; }},
        {"supervisor", {{16, "0003"}}, [](auto& r) { return r.at("CDSUPVENDEDOR") == "0003"; }},
        {"situations",
         {{13, "13"}},
         [](auto& r) { return r.at("IDSITUORCEVE") == "1" || r.at("IDSITUORCEVE") == "3"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::map<int, QVariant> args = c.args;
        args.emplace(13, "12345678");
        const std::set<QString> got = Keys(Budgets(ListArgs(args)));
        const std::set<QString> want = c.expected ? Where(all, c.expected) : c.expectedKeys;
        EXPECT_FALSE(want.empty());
        EXPECT_LT(want.size(), all.size());
        EXPECT_EQ(got, want);
    }
    // Validity, inclusive by day: the budgets valid until the day 1023 is.
    const double valid = std::floor(all.at("1023-00").at("DTVALIORCEVE").toDouble());
    const std::set<QString> validSameDay =
        Where(all, [&](auto& r) { return std::floor(r.at("DTVALIORCEVE").toDouble()) == valid; });
    EXPECT_TRUE(validSameDay.count("1023-00"));
    EXPECT_EQ(Keys(Budgets(ListArgs({{5, valid}, {6, Ole(valid)}, {13, "12345678"}}))),
              validSameDay);
    EXPECT_EQ(Keys(Budgets(ListArgs({{5, valid + 1}, {13, "12345678"}}))),
              Where(all, [&](auto& r) { return r.at("DTVALIORCEVE").toDouble() >= valid + 1; }));
}

// A list travels to SQL as one parameter whatever its length, up to the limit.
TEST_P(FechaOrcaReads, LongCodeListsSelectAsTheirMatchingCodesUpToTheLimit) {
    const struct {
        int arg;
        QStringList codes; // those that match something
    } lists[] = {
        {7, {"0007", "0008"}}, {8, {"F39053344705", "J60701190000104"}},
        {9, {"003"}},          {10, {"001", "003"}},
        {11, {"4012"}},        {12, {"9013"}},
    };
    // Each list filled to the limit with codes that match nothing, among them
    // texts that would break a list written into the statement by hand.
    auto full = [](const QStringList& codes) {
        QStringList all = {"\"", "\\", "'", "\"]", "[\"0007\"]", "0007 ", "ção", "%", "0\t7"};
        for (int i = 0; all.size() + codes.size() < ListString::kMaxCodes; ++i)
            all << QStringLiteral("X%1").arg(i);
        for (const QString& c : codes)
            all.insert(all.size() / 2, c);
        return ListString::Encode(all);
    };
    std::map<int, QVariant> plain = {{13, "12345678"}}, filled = plain;
    for (const auto& l : lists) {
        plain[l.arg] = ListString::Encode(l.codes);
        filled[l.arg] = full(l.codes);
    }

    // The statements are no longer for the most a list takes than for one code.
    TDbConnection& db = OpenDatabase(Url());
    const TOrcaEventoSelects one = OrcaEventoSelects(db, ListArgs({{7, "0007"}}));
    const TOrcaEventoSelects most = OrcaEventoSelects(db, ListArgs({{7, filled[7]}}));
    ASSERT_LE(most.params.size(), one.params.size());
    for (size_t i = 0; i < one.selects.size(); ++i)
        ASSERT_LE(most.selects[i].statement.sql.size(), one.selects[i].statement.sql.size() + 20)
            << "statement " << i;

    for (const auto& l : lists) {
        SCOPED_TRACE(l.arg);
        const std::set<QString> want =
            Keys(Budgets(ListArgs({{l.arg, plain[l.arg]}, {13, "12345678"}})));
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(Keys(Budgets(ListArgs({{l.arg, filled[l.arg]}, {13, "12345678"}}))), want);
    }
    // All six at once, and the situations however often repeated.
    EXPECT_EQ(Keys(Budgets(ListArgs(filled))), Keys(Budgets(ListArgs(plain))));
    // Long lists in a row on one connection: each call selects by its own codes.
    for (const char* seller : {"0008", "0007", "0008"}) {
        SCOPED_TRACE(seller);
        const QStringList codes = {QString::fromLatin1(seller)};
        const std::set<QString> want = Keys(Budgets(ListArgs({{7, ListString::Encode(codes)}})));
        EXPECT_FALSE(want.empty());
        EXPECT_EQ(Keys(Budgets(ListArgs({{7, full(codes)}}))), want);
    }
    EXPECT_EQ(Keys(Budgets(ListArgs({{13, QString(100000, u'2')}}))), Keys(Budgets(ListArgs())));

    QStringList tooMany;
    for (int i = 0; i <= ListString::kMaxCodes; ++i)
        tooMany << QStringLiteral("X%1").arg(i);
    EXPECT_EQ(Refusal("GetOrcaEvento", ListArgs({{11, ListString::Encode(tooMany)}})),
              "A lista de produtos recebida pelo servidor tem mais de 10.000 códigos, o máximo "
              "que uma consulta aceita.");
}

TEST_P(FechaOrcaReads, DetailsAndTotalsCoverTheListedBudgetsAndLoadIntoTheScreensLayouts) {
    const QVariantList packets = List(ListArgs({{1, "1001"}, {2, "1001"}}));
    ASSERT_EQ(packets.size(), 6);
    const TFieldDefs layouts[] = {LayoutOrcaEvento(), LayoutItemOrcaEven(), LayoutTotalOrca(),
                                  LayoutItMaoObra(),  LayoutObsExtOrcaEv(), LayoutObsIntOrcaEv()};
    std::vector<std::vector<std::map<QString, QString>>> rows;
    for (int i = 0; i < 6; ++i)
        rows.push_back(Rows(*Load(packets[i], layouts[i])));
    EXPECT_EQ(rows[0].size(), 2u); // 1001-00 and its child
    // The child has items and totals but neither labour nor internal notes.
    const std::set<QString> both = {"1001-00", "1001-01"}, parent = {"1001-00"};
    const std::set<QString> expected[] = {both, both, both, parent, both, parent};
    for (int i = 1; i < 6; ++i) {
        std::set<QString> keys;
        for (const auto& r : rows[size_t(i)])
            keys.insert(Key(r));
        EXPECT_EQ(keys, expected[i]) << "packet " << i;
    }

    // Totals: the list's and GetGeral's agree, and match the total stored
    // when the budget was written.
    for (const auto& total : rows[2]) {
        SCOPED_TRACE(Key(total).toStdString());
        auto geral =
            Rows(*Load(Ok("GetGeral", {"0001", total.at("NRORCAEVENTO"), total.at("NRSEQORCAEVE")}),
                       LayoutTotalOrca()));
        ASSERT_EQ(geral.size(), 1u);
        EXPECT_EQ(geral[0], total);
        const double items = total.at("VRTOTAITEM").toDouble(),
                     labour = total.at("VRTOTALMAO").toDouble(),
                     halls = total.at("VRSALAORCEVE").toDouble();
        EXPECT_GT(items, 0);
        EXPECT_NEAR(total.at("TOTALIQUIDO").toDouble(),
                    items + labour + halls - total.at("VRDESCORCEVE").toDouble() +
                        total.at("VRACREORCEVE").toDouble(),
                    0.005);
        EXPECT_NEAR(total.at("TOTALIQUIDO").toDouble(), total.at("VRTOTALOREV").toDouble(), 0.005);
        double sum = 0;
        for (const auto& it : rows[1])
            if (Key(it) == Key(total))
                sum += std::round(
                           (it.at("QTITEMORCEVE").toDouble() * it.at("VRITEMORCEVE").toDouble() -
                            it.at("VRDESCITOREV").toDouble() + it.at("VRACREITOREV").toDouble()) *
                           100) /
                       100;
        EXPECT_NEAR(items, sum, 0.005);
    }
    // Every listed budget's totals add up the same way.
    const QVariantList everything = List(ListArgs({{13, "12345678"}}));
    for (const auto& t : Rows(*Load(everything[2], LayoutTotalOrca())))
        EXPECT_NEAR(t.at("TOTALIQUIDO").toDouble(), t.at("VRTOTALOREV").toDouble(), 0.005)
            << Key(t).toStdString();
    EXPECT_TRUE(
        Rows(*Load(Ok("GetGeral", {"0001", "0000009999", "00"}), LayoutTotalOrca())).empty());
}

TEST_P(FechaOrcaReads, BudgetDetailsParametersAndRelatedBudgets) {
    const QVariantList k1001 = {"0001", "0000001001", "00"};
    auto prazo = Rows(*Load(Ok("GetPrazoPgto", k1001), LayoutPrazoPgto()));
    ASSERT_FALSE(prazo.empty());
    auto total = Rows(*Load(Ok("GetGeral", k1001), LayoutTotalOrca()));
    double sum = 0;
    for (const auto& p : prazo)
        sum += p.at("VRPARCELAOREV").toDouble();
    EXPECT_NEAR(sum, total.at(0).at("TOTALIQUIDO").toDouble(), 0.005);

    auto halls = Rows(*Load(Ok("GetSalaoEven", k1001), LayoutSalaoEven()));
    ASSERT_EQ(halls.size(), 2u);
    EXPECT_EQ(halls[1].at("CDSALAOEVEN"), "002");
    EXPECT_EQ(halls[1].at("IDSITAGENSAL"), "a");
    EXPECT_FALSE(halls[1].at("NMSALAOEVEN").isEmpty());

    EXPECT_EQ(Rows(*Load(Ok("GetParamOrca", {}), LayoutParamOrca())).size(), 1u);

    const struct {
        const char* number;
        const char* seq;
        size_t open;
    } related[] = {
        {"0000001001", "00", 1}, // its child is approved
        {"0000001001", "01", 1}, // its parent is approved
        {"0000001002", "01", 0}, // its parent is closed
        {"0000001002", "00", 1}, // closed, its child still open
        {"0000001006", "00", 0}, // no child
    };
    for (const auto& r : related) {
        auto rows =
            Rows(*Load(Ok("GetVerifOrcaFecha", {"0001", r.number, r.seq}), LayoutVerifOrcaFecha()));
        EXPECT_EQ(rows.size(), r.open) << r.number << "-" << r.seq;
        for (const auto& row : rows)
            EXPECT_EQ(row.at("NRORCAEVENTO"), r.number);
    }
}

TEST_P(FechaOrcaReads, ManagersSupervisorsAndOperatorRights) {
    const TFieldDefs pick = {StrField("CDVENDEDOR", 4), StrField("NMFANVEN", 50)};
    std::set<QString> codes;
    for (const auto& r : Rows(*Load(Ok("GetGerenteSup", {""}), pick)))
        codes.insert(r.at("CDVENDEDOR"));
    EXPECT_EQ(codes, (std::set<QString>{"0001", "0002", "0003", "0004"}));
    auto one = Rows(*Load(Ok("GetGerenteSup", {"0003"}), pick));
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].at("NMFANVEN"), "Juliana Prado");
    EXPECT_TRUE(Rows(*Load(Ok("GetGerenteSup", {"0005"}), pick)).empty()); // a plain seller

    auto rights = [&](const char* oper) {
        const QVariantList p = Ok("GetOperControle", {oper}, kProc).toList();
        EXPECT_EQ(p.size(), 2);
        EXPECT_EQ(Rows(*Load(p.value(1), LayoutParamControle())).size(), 1u);
        return Rows(*Load(p.value(0), LayoutOperControle()));
    };
    auto maria = rights("MARIA");
    ASSERT_EQ(maria.size(), 1u);
    EXPECT_EQ(maria[0].at("CDPROCHABFECOPE"), "ORE06400");
    EXPECT_TRUE(rights("ESTAGIO").empty());
    EXPECT_EQ(Refusal("GetOperControle", {"NINGUEM"}, kProc),
              "O operador \"NINGUEM\" não está cadastrado.");
    EXPECT_EQ(Refusal("GetOperControle", {"ANTIGO"}, kProc), "O operador \"ANTIGO\" está inativo.");
    EXPECT_EQ(Refusal("GetOperControle", {"MARIA "}, kProc).toStdString(),
              "O operador \"MARIA \" não está cadastrado.");
}

// Calls in turn on one database; after each, the contracting client of every
// sequence of the number. A closed sequence keeps its client.
TEST_P(FechaOrcaReads, SetClieContratanteWritesTheOpenSequencesOrRefuses) {
    const QString pedro = QStringLiteral("F52998224725");
    auto clients = [this](const char* numero) {
        TSqlStatement st(
            OpenDatabase(Url()),
            "SELECT NRSEQORCAEVE, CDCLICONTORC FROM ORCAEVENTO WHERE CDFILIAL = '0001' "
            "AND NRORCAEVENTO = :N ORDER BY NRSEQORCAEVE");
        st.Exec({{"N", QString::fromLatin1(numero)}});
        QStringList out;
        while (st.Next())
            out << st.Value(0).toString() + u'=' + st.Value(1).toString();
        return out.join(u' ');
    };
    const QString closed1002 = clients("0000001002");
    const QString closed1028 = clients("0000001028");
    const QString executed1025 = clients("0000001025");
    struct Case {
        QString client;
        const char* numero;
        QString refusal; // empty: accepted
        QString after;
        QString filial = "0001";
    };
    const Case cases[] = {
        {pedro, "0000001001", "", "00=" + pedro + " 01=" + pedro},
        {"", "0000001001", "", "00= 01="},
        // The parent is closed, its child is not: only the child changes.
        {pedro, "0000001002", "", closed1002.section(u' ', 0, 0) + " 01=" + pedro},
        {pedro, "0000001028",
         "O orçamento 0000001028 da filial \"0001\" já está fechado; o seu cliente contratante "
         "não pode mais ser alterado.",
         closed1028},
        {pedro, "0000001025",
         "O orçamento 0000001025 da filial \"0001\" já está fechado; o seu cliente contratante "
         "não pode mais ser alterado.",
         executed1025},
        {"F00000000000", "0000001001",
         "O cliente contratante \"F00000000000\" não está cadastrado.", "00= 01="},
        {pedro, "0000009999", "O orçamento 0000009999 não existe na filial \"0001\".", ""},
        {pedro, "0000001001", "O orçamento 0000001001 não existe na filial \"0001 \".",
         "00= 01=", "0001 "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.client, c.numero).toStdString());
        const TServerReply r =
            Call(kFecha, "SetClieContratante", {c.client, c.filial, QString::fromLatin1(c.numero)});
        EXPECT_EQ(r.ok, c.refusal.isEmpty()) << r.message.toStdString();
        EXPECT_EQ(r.ok ? QString() : r.message, c.refusal);
        EXPECT_EQ(clients(c.numero), c.after);
    }
}

TEST_P(FechaOrcaReads, HostileTextSelectsNothingItShouldNotAndChangesNothing) {
    const TBudgets before = Budgets(ListArgs({{13, "12345678"}}));
    const QString hostile[] = {"' OR '1'='1",
                               "0001'; DROP TABLE ORCAEVENTO; --",
                               "\" OR 1=1 --",
                               "0005) OR (1=1",
                               "%",
                               "SELECT * FROM CLIENTE"};
    for (const QString& h : hostile) {
        SCOPED_TRACE(h.toStdString());
        EXPECT_EQ(Refusal("GetOrcaEvento", ListArgs({{0, h}})),
                  QStringLiteral("A filial \"%1\" não está cadastrada.").arg(h));
        for (int i : {7, 8, 9, 10, 11, 12, 14, 15, 16})
            EXPECT_TRUE(Budgets(ListArgs({{i, h}, {13, "12345678"}})).empty()) << "argument " << i;
        // Numbers compare as text, padded as stored.
        const QString padded = h.rightJustified(10, u'0');
        EXPECT_EQ(Keys(Budgets(ListArgs({{1, h}, {13, "12345678"}}))),
                  Where(before, [&](auto& r) { return r.at("NRORCAEVENTO") >= padded; }));
        EXPECT_EQ(Keys(Budgets(ListArgs({{2, h}, {13, "12345678"}}))),
                  Where(before, [&](auto& r) { return r.at("NRORCAEVENTO") <= padded; }));
        EXPECT_FALSE(Call(kFecha, "GetOrcaEvento", ListArgs({{13, h}})).ok);
        EXPECT_TRUE(
            Rows(*Load(Ok("GetGeral", {h, "0000001001", "00"}), LayoutTotalOrca())).empty());
        EXPECT_TRUE(Rows(*Load(Ok("GetGeral", {"0001", h, "00"}), LayoutTotalOrca())).empty());
        EXPECT_TRUE(
            Rows(*Load(Ok("GetPrazoPgto", {"0001", "0000001001", h}), LayoutPrazoPgto())).empty());
        EXPECT_TRUE(Rows(*Load(Ok("GetSalaoEven", {"0001", h, "00"}), LayoutSalaoEven())).empty());
        EXPECT_TRUE(Rows(*Load(Ok("GetVerifOrcaFecha", {"0001", h, "00"}), LayoutVerifOrcaFecha()))
                        .empty());
        EXPECT_TRUE(Rows(*Load(Ok("GetGerenteSup", {h}), kPick)).empty());
        EXPECT_FALSE(Call(kProc, "GetOperControle", {h}).ok);
        EXPECT_FALSE(Call(kFecha, "SetClieContratante", {h, "0001", "0000001001"}).ok);
        EXPECT_FALSE(Call(kFecha, "SetClieContratante", {"F52998224725", "0001", h}).ok);
    }
    EXPECT_EQ(Budgets(ListArgs({{13, "12345678"}})), before);
}

TEST_P(FechaOrcaReads, MalformedCallsAreRefusedClearly) {
    QVariantList sixteen = ListArgs();
    sixteen.removeLast();
    EXPECT_EQ(Refusal("GetOrcaEvento", sixteen),
              "Chamada inválida de ORE00800.rdmFechaOrca.GetOrcaEvento. A chamada espera 17 "
              "argumentos, mas recebeu 16.");
    EXPECT_TRUE(
        Refusal("GetOrcaEvento", ListArgs({{3, "2027-01-01"}})).contains("DTEVENTO inicial"));
    // Named as they came: the branch with its blank, each date by its name.
    EXPECT_EQ(Refusal("GetOrcaEvento", ListArgs({{0, "0001 "}})).toStdString(),
              "A filial \"0001 \" não está cadastrada.");
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        int arg;
        QVariant value;
        const char* refusal;
    } dates[] = {
        {3, Ole(nan), "O argumento 4 (DTEVENTO inicial) deve ser uma data válida, mas veio NaN."},
        {4, inf, "O argumento 5 (DTEVENTO final) deve ser uma data válida, mas veio infinito."},
        {5, -inf,
         "O argumento 6 (DTVALIORCEVE inicial) deve ser uma data válida, mas veio menos "
         "infinito."},
        {6, Ole(1e300),
         "O argumento 7 (DTVALIORCEVE final) deve ser uma data válida, mas veio "
         "1e+300."},
    };
    for (const auto& d : dates)
        EXPECT_EQ(Refusal("GetOrcaEvento", ListArgs({{d.arg, d.value}})).toStdString(),
                  std::string("Chamada inválida de ORE00800.rdmFechaOrca.GetOrcaEvento. ") +
                      d.refusal);
    EXPECT_TRUE(Refusal("GetOrcaEvento", ListArgs({{7, 5}})).contains("vendedores"));
    EXPECT_EQ(Refusal("GetOrcaEvento", ListArgs({{13, "29"}})),
              "A situação \"9\" pedida ao servidor não existe; as situações vão de 1 a 8.");
    EXPECT_EQ(Refusal("GetOrcaEvento", ListArgs({{7, "0005\\x"}})),
              "A lista de vendedores recebida pelo servidor é inválida: a barra invertida na "
              "posição 5 não é seguida de \"_\" nem de outra barra invertida.");
    EXPECT_TRUE(Refusal("GetGeral", {"0001", 1001, "00"}).contains("NRORCAEVENTO"));
    EXPECT_TRUE(Refusal("GetSalaoEven", {"0001", "0000001001"}).contains("espera 3"));
    EXPECT_TRUE(Refusal("GetParamOrca", {"0001"}).contains("espera 0"));
    EXPECT_TRUE(Refusal("GetGerenteSup", {}).contains("espera 1"));
    EXPECT_TRUE(Refusal("GetOperControle", {QVariant()}, kProc).contains("CDOPERADOR"));
}

// Over HTTP, each server thread opening its own connection: the list arrives
// as the same six packets, and a refusal as the same sentence.
TEST_P(FechaOrcaReads, ServedOverTheWireAsThroughTheRegistry) {
    TRpcServerOptions options;
    options.port = 0;
    options.threads = 2;
    options.sessions = std::make_shared<TSessionStore>(Url());
    RegisterSessionModule(m_registry, options.sessions);
    TRpcServer server(m_registry, options);
    server.Start();
    TNetConnection conn;
    conn.ServerName = kFecha;
    conn.Port = server.Port();
    conn.SessionToken = DemoSessionToken(server.Port());
    conn.ThrowException = false;
    const TServerReply list = conn.Call("GetOrcaEvento", ListArgs());
    ASSERT_TRUE(list.ok) << list.message.toStdString();
    EXPECT_EQ(list.payload.toList(), List(ListArgs()));
    const TServerReply refused = conn.Call("GetOrcaEvento", ListArgs({{0, "0099"}}));
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "A filial \"0099\" não está cadastrada.");
    server.Stop();
}

ORE_INSTANTIATE_ENGINES(FechaOrcaReads);

} // namespace
