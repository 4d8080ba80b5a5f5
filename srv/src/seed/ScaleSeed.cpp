#include "seed/ScaleSeed.h"

#include "seed/DemoSeed.h"
#include "seed/SeedWriter.h"

#include "core/db/DbConnection.h"
#include "storage/DbDate.h"
#include "storage/Money.h"

#include <QDate>

#include <cstdint>

namespace {

QStringList Cols(const char* list) {
    return QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts);
}

// splitmix64: small, fast and the same everywhere.
class TRng {
public:
    explicit TRng(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
    int Int(int lo, int hi) { return lo + int(Next() % std::uint64_t(hi - lo + 1)); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }

private:
    std::uint64_t m_state;
};

const char* const kTitles[] = {"Casamento",          "Aniversário", "Formatura",
                               "Evento corporativo", "Bodas",       "Confraternização"};
const char* const kNames[] = {"Silva",  "Souza",   "Oliveira", "Santos", "Pereira",
                              "Costa",  "Almeida", "Ferreira", "Gomes",  "Ribeiro",
                              "Araújo", "Lima",    "Carvalho", "Rocha",  "Martins"};

// Rows per INSERT, and budgets written between flushes (parents first).
constexpr int kBatch = 100;
constexpr int kChunk = 50;

} // namespace

void LoadScaleBranch(TDbConnection& db) {
    const QString branch = QString::fromLatin1(kScaleBranch);
    TTableWriter(db, "FILIAL",
                 Cols("CDFILIAL,NMFILIAL,NMRAZSOCFILI,CDPAIS,SGESTADO,CDMUNICIPIO,DSENDEFILI,"
                      "CDSERIEPADRAO"))
        .Row({branch, "Celebrar Volume (carga)", "Celebrar Eventos Ltda. - Carga", "1058", "SP",
              "0001", "Rua dos Testes, 1", "1"});
    TTableWriter(db, "EMPRESAFILIAL", Cols("CDEMPRESA,CDFILIAL")).Row({"0001", branch});
    TTableWriter(db, "PARAMORCAFILI",
                 Cols("CDFILIAL,CDTIPOOPER,CDTIPOOPERPAG,CDTIPOOPERNEG,CDSERIEENTR,CDTPAJUSTEREC"))
        .Row({branch, "V01", "E01", "D01", "2", "001"});
    TTableWriter(db, "PARAMPEDIDO", Cols("CDFILIAL,CDSERIEPED")).Row({branch, "P"});
    TTableWriter numerador(db, "NUMERADOR", Cols("CDFILIAL,IDNUMERADOR,NRULTIMO"));
    for (const char* kind : {"PED", "CREC", "CPAG"})
        numerador.Row({branch, kind, 0});
    TTableWriter salao(db, "SALAOEVEN", Cols("CDFILIAL,CDSALAOEVEN,NMSALAOEVEN,QTCAPASALAO"));
    salao.Row({branch, "001", "Salão Principal", 300});
    salao.Row({branch, "002", "Salão Menor", 120});

    TTableWriter deptoFilial(db, "DEPTOFILIAL", Cols("CDFILIAL,CDDEPTO,CDFILIPEDORC"));
    for (const char* d : {"001", "002", "003", "004", "005", "006", "007", "008"})
        deptoFilial.Row({branch, d, branch});
    TTableWriter prodFilial(db, "PRODFILIAL", Cols("CDFILIAL,CDPRODUTO,VRPRECOPROD,CDDEPTO"));
    for (const auto& p : DemoProducts()) {
        if (p.Level() < 3)
            continue;
        prodFilial.Row({branch, p.code, p.price, p.depto});
    }
}

void LoadScale(TDbConnection& db, int budgets, TScaleRows rows) {
    const QString branch = QString::fromLatin1(kScaleBranch);
    const bool writeBudgets = rows != TScaleRows::Details;
    const bool writeDetails = rows != TScaleRows::Budgets;
    std::vector<const TDemoProduct*> goods, labour;
    for (const auto& p : DemoProducts())
        if (p.Level() == 3)
            (p.labour ? labour : goods).push_back(&p);

    TTableWriter orca(db, "ORCAEVENTO",
                      Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,IDSITUORCEVE,IDTPORCAEVEN,"
                           "DSTITUORCEVE,IDSITCLIOREV,CDCLIENTE,NMCLIEORCEVE,CDCLICONTORC,"
                           "CDVENDEDOR,CDGERVENDEDOR,CDSUPVENDEDOR,CDTIPOEVENTO,CDTPSERVEVEN,"
                           "CDTPRECEOREV,DTEVENTO,QTHREVENTO,DTVALIORCEVE,DTINCLORCEVE,"
                           "CDOPEINCOREV,QTCONVORCEVE,QTADULORCEVE,QTCRIAORCEVE,IDENDENTOREV,"
                           "CDPAIS,SGESTADO,CDMUNICIPIO,IDTPFORMPGTOREV,CDMODPGTO,CDPRECOBASE,"
                           "CDPREBAMOBRA,VRDESCORCEVE,VRACREORCEVE,VRPEREALOREV,VRTOTALOREV,"
                           "QTCONTRATOREV,IDORCAFILHODISTRATO"),
                      false, kBatch);
    TTableWriter item(db, "ITEMORCAEVEN",
                      Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,NRITEMORCEVE,CDPRODUTO,QTITEMORCEVE,"
                           "VRITEMORCEVE,VRDESCITOREV,VRACREITOREV,IDITOREVPROD,NROPCAITOREV,"
                           "IDFATUITEMOREV,IDCUSTOFIXO"),
                      false, kBatch);
    TTableWriter mao(db, "ITMAOOBRAORCA",
                     Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,NRTURNO,CDPRODUTO,QTPRODMOBRA,"
                          "VRCOBRMOBRA,VRPAGOMOBRA,IDMOBRAEXTRA"),
                     false, kBatch);
    TTableWriter salaoOrca(db, "SALAOORCA",
                           Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,CDSALAOEVEN,IDSITAGENSAL,"
                                "NRRESERSALAO,DTVALRESESAL,VRSALAORCEVE"),
                           false, kBatch);
    TTableWriter obsExt(db, "OBSEXTORCAEV", Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,TXOBSEXTOREV"),
                        false, kBatch);
    TTableWriter obsInt(db, "OBSINTORCAEV",
                        Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,CDDEPTO,TXOBSINTOREV"), false,
                        kBatch);
    TTableWriter contrat(db, "CONTRATORCA",
                         Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,CDCLIENCONTORCA,IDSITUCONTOREV,"
                              "VRRECECONTOREV,QTCONVCONTOREV,CDEMPRESA"),
                         false, kBatch);

    const QByteArray obsText =
        Rtf({QStringLiteral("Cardápio sujeito a alteração até 15 dias antes do evento.")});
    const QByteArray obsKitchen =
        Rtf({QStringLiteral("Conferir a quantidade de pratos quentes com a produção.")});
    const auto& customers = DemoCustomerCodes();
    const auto& sellers = DemoSellers();
    const QDate firstEvent(2027, 1, 2);

    TRng rng(20261208);
    std::vector<QVariantList> itemRows, labourRows;
    int number = 0;
    for (int b = 0; b < budgets; ++b) {
        const bool child = b % 10 == 9 && number > 0;
        if (!child)
            ++number;
        const QString nr = QString::number(number).rightJustified(10, u'0');
        const QString seq = child ? QStringLiteral("01") : QStringLiteral("00");
        const int roll = rng.Int(1, 100);
        const char* situation = roll <= 70 ? "2" : roll <= 90 ? "3" : "1";
        const bool registered = rng.Chance(90);
        const QString& customer = customers[size_t(rng.Int(0, int(customers.size()) - 1))];
        const auto& seller = sellers[size_t(rng.Int(0, int(sellers.size()) - 1))];
        const int type = rng.Int(1, 6);
        const double adults = rng.Int(20, 300), children = rng.Int(0, 40);
        const QDate eventDay = firstEvent.addDays(rng.Int(0, 364));
        const QDateTime event(eventDay, QTime(rng.Int(9, 21), rng.Int(0, 1) * 30));
        const QDate created = eventDay.addDays(-rng.Int(30, 120));

        // Details first, to know the total; written after their budget.
        std::vector<QVariantList>& items = itemRows;
        std::vector<QVariantList>& labourLines = labourRows;
        items.clear();
        labourLines.clear();
        double total = 0;
        for (int i = 1; i <= 20; ++i) {
            const TDemoProduct& p = *goods[size_t(rng.Int(0, int(goods.size()) - 1))];
            const double qt = rng.Int(1, 200);
            const double desc = rng.Chance(10) ? Money(p.price * qt * 0.05) : 0.0;
            total += Money(qt * p.price - desc);
            items.push_back({branch, nr, seq, QString::number(i).rightJustified(3, u'0'), p.code,
                             qt, p.price, desc, 0.0, "P", "01", "S", rng.Chance(5) ? "S" : "N"});
        }
        // Three distinct labour products, so that (team, product) stays unique.
        const int first = rng.Int(0, int(labour.size()) - 1);
        for (int i = 0; i < 3; ++i) {
            const TDemoProduct& p = *labour[size_t((first + i) % int(labour.size()))];
            const double qt = rng.Int(4, 60);
            total += Money(qt * p.price);
            labourLines.push_back({branch, nr, seq, i == 2 ? "02" : "01", p.code, qt, p.price,
                                   Money(p.price * 0.6), rng.Chance(3) ? "S" : "N"});
        }
        const double hall = child ? 0.0 : double(rng.Int(10, 50) * 100);
        total = Money(total + hall);

        const bool hasContract = registered && situation[0] != '1';
        const QVariantList budgetRow{
            branch,
            nr,
            seq,
            situation,
            "E",
            QStringLiteral("%1 %2 %3")
                .arg(QString::fromUtf8(kTitles[type - 1]),
                     QString::fromUtf8(kNames[rng.Int(0, 14)]), nr.right(5)),
            registered ? "C" : "N",
            registered ? QVariant(customer) : QVariant(),
            registered ? QVariant()
                       : QVariant(QStringLiteral("Cliente novo %1 %2")
                                      .arg(QString::fromUtf8(kNames[rng.Int(0, 14)]))
                                      .arg(number)),
            hasContract ? QVariant(customer) : QVariant(),
            seller.code,
            Text(seller.manager),
            Text(seller.supervisor),
            QString::number(type).rightJustified(3, u'0'),
            QString::number(rng.Int(1, 5)).rightJustified(3, u'0'),
            "01",
            DbDateTime(event),
            double(rng.Int(3, 8)),
            DbDate(created.addDays(45)),
            DbDateTime(QDateTime(created, QTime(10, 0))),
            "MARIA",
            adults + children,
            adults,
            children,
            "P",
            "1058",
            "SP",
            "0001",
            "X",
            "00001",
            "01",
            "03",
            0.0,
            0.0,
            100.0,
            total,
            hasContract ? 1 : 0,
            "N"};
        if (writeBudgets)
            orca.Row(budgetRow);
        // Drawn whether written or not, so that both passes see the same numbers.
        const bool bigHall = rng.Chance(50), booked = rng.Chance(80);
        if (writeDetails) {
            for (const auto& row : items)
                item.Row(row);
            for (const auto& row : labourLines)
                mao.Row(row);
            if (!child)
                salaoOrca.Row({branch, nr, seq, bigHall ? "001" : "002", booked ? "R" : "A", "01",
                               DbDate(eventDay.addDays(-30)), hall});
            obsExt.Row({branch, nr, seq, obsText});
            if (b % 5 == 0)
                obsInt.Row({branch, nr, seq, "001", obsKitchen});
            if (hasContract)
                contrat.Row({branch, nr, seq, customer, "ATIVO", total, adults + children, "0001"});
        }
        if (b % kChunk == kChunk - 1 || b == budgets - 1)
            for (TTableWriter* w : {&orca, &item, &mao, &salaoOrca, &obsExt, &obsInt, &contrat})
                w->Flush();
    }
}

void RemoveScale(TDbConnection& db) {
    // Budget details go with their budgets (ON DELETE CASCADE).
    for (const char* table :
         {"ORCAEVENTO", "SALAOEVEN", "NUMERADOR", "PARAMPEDIDO", "PARAMORCAFILI", "EMPRESAFILIAL",
          "DEPTOFILIAL", "PRODFILIAL", "FILIAL"})
        ExecSql(db,
                QStringLiteral("DELETE FROM %1 WHERE CDFILIAL = :FILIAL").arg(QLatin1String(table)),
                {{QStringLiteral("FILIAL"), QString::fromLatin1(kScaleBranch)}});
}
