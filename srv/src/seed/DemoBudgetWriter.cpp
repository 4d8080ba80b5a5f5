#include "seed/DemoBudget.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "seed/DemoSeed.h"
#include "seed/SeedWriter.h"
#include "storage/DbDate.h"
#include "storage/Money.h"

#include <cmath>
#include <map>
#include <memory>

namespace {

QStringList Cols(const char* list) {
    return QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts);
}

const TDemoSeller* FindSeller(const QString& code) {
    for (const auto& s : DemoSellers())
        if (s.code == code)
            return &s;
    return nullptr;
}

QString Number(int n) {
    return QString::number(n).rightJustified(10, u'0');
}

} // namespace

struct TDemoBudgetWriter::Impl {
    TDbConnection& db;
    TTableWriter orca, item, mao, salao, prazo, obsExt, obsInt, contrat;
    TTableWriter pedido, itemPedido, contaRec, parcela, contaPag, fecha;
    std::map<std::pair<QString, QString>, int> numbers; // (branch, kind) -> last used

    explicit Impl(TDbConnection& c)
        : db(c),
          orca(c, "ORCAEVENTO",
               Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,IDSITUORCEVE,IDTPORCAEVEN,DSTITUORCEVE,"
                    "IDSITCLIOREV,CDCLIENTE,NMCLIEORCEVE,CDCLICONTORC,CDVENDEDOR,CDGERVENDEDOR,"
                    "CDSUPVENDEDOR,CDTIPOEVENTO,CDTPSERVEVEN,CDTPRECEOREV,DTEVENTO,QTHREVENTO,"
                    "DTVALIORCEVE,DTINCLORCEVE,CDOPEINCOREV,QTCONVORCEVE,QTADULORCEVE,"
                    "QTCRIAORCEVE,IDENDENTOREV,CDPAIS,SGESTADO,CDMUNICIPIO,CDBAIRRO,"
                    "DSENDENTOREV,NMBAIENTOREV,DSREFENDOREV,DSCOMPENDORCEVE,CDFORMPGTO,"
                    "IDTPFORMPGTOREV,NRDIAPGTOREV,QTPARCPGTOREV,IDMESINIPGTOREV,CDMODPGTO,"
                    "IDTPPGTOOREV,CDPRECOBASE,CDPREBAMOBRA,CDESCOLA,CDCURSO,VRDESCORCEVE,"
                    "VRACREORCEVE,VRPEACREOREV,VRPEREALOREV,VRTOTALOREV,QTCONTRATOREV,"
                    "IDORCAFILHODISTRATO,DTFECHORCEVE,CDOPEFECHOREV")),
          item(c, "ITEMORCAEVEN",
               Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,NRITEMORCEVE,CDPRODUTO,QTITEMORCEVE,"
                    "VRITEMORCEVE,VRDESCITOREV,VRACREITOREV,IDITOREVPROD,NROPCAITOREV,"
                    "CDFORNECEDOR,VRPGFORNOREV,DTPGFORNOREV,IDFATUITEMOREV,IDCUSTOFIXO")),
          mao(c, "ITMAOOBRAORCA",
              Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,NRTURNO,CDPRODUTO,QTPRODMOBRA,"
                   "VRCOBRMOBRA,VRPAGOMOBRA,IDMOBRAEXTRA")),
          salao(c, "SALAOORCA",
                Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,CDSALAOEVEN,IDSITAGENSAL,NRRESERSALAO,"
                     "DTVALRESESAL,VRSALAORCEVE")),
          prazo(c, "PRAZOPGTOORCA",
                Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,NRPARCOREV,QTDIASPGTOREV,VRPERCPGTOREV,"
                     "DTVENCPARCOREV,VRPARCELAOREV,DSOBSPARCOREV")),
          obsExt(c, "OBSEXTORCAEV", Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,TXOBSEXTOREV")),
          obsInt(c, "OBSINTORCAEV",
                 Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,CDDEPTO,TXOBSINTOREV")),
          contrat(c, "CONTRATORCA",
                  Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,CDCLIENCONTORCA,IDSITUCONTOREV,"
                       "VRRECECONTOREV,QTCONVCONTOREV,CDEMPRESA,DTINCLCONTOREV")),
          pedido(c, "PEDIDO",
                 Cols("CDFILIAL,NRPEDIDO,CDFILIORCA,NRORCAEVENTO,NRSEQORCAEVE,CDDEPTO,CDCLIENTE,"
                      "CDSERIEPED,DTPEDIDO,DTENTREGA,VRTOTALPED,CDOPERADOR")),
          itemPedido(c, "ITEMPEDIDO",
                     Cols("CDFILIAL,NRPEDIDO,NRITEMPED,CDPRODUTO,QTITEMPED,VRUNITPED,"
                          "VRTOTALITEMPED")),
          contaRec(c, "CONTAREC",
                   Cols("CDFILIAL,NRCONTAREC,CDCLIENTE,CDTPCTREC,CDTIPOOPER,CDFILIORCA,"
                        "NRORCAEVENTO,NRSEQORCAEVE,CDEMPRESA,CDSERIE,DTEMISSAO,VRCONTAREC,"
                        "CDOPERADOR")),
          parcela(c, "PARCCONTAREC",
                  Cols("CDFILIAL,NRCONTAREC,NRPARCELA,DTVENCPARC,VRPARCELA,IDSITUPARC,"
                       "DTPGTOPARC")),
          contaPag(c, "CONTAPAG",
                   Cols("CDFILIAL,NRCONTAPAG,CDFORNECEDOR,CDCLIENTE,CDTPCTPAG,CDTIPOOPER,"
                        "CDFILIORCA,NRORCAEVENTO,NRSEQORCAEVE,CDSERIE,DTEMISSAO,DTVENCIMENTO,"
                        "VRCONTAPAG,CDOPERADOR")),
          fecha(c, "FECHAORCA",
                Cols("CDFILIAL,NRORCAEVENTO,NRSEQORCAEVE,CDOPERADOR,DTFECHAORCA,VRTOTALOREV,"
                     "QTPEDIDOS,QTCONTAREC,QTCONTAPAG")) {}

    QString Next(const QString& branch, const char* kind) {
        return Number(++numbers[{branch, QString::fromLatin1(kind)}]);
    }

    // Terms of a payment form: (days, percent).
    std::vector<std::pair<int, double>> Terms(const QString& form) {
        TSqlStatement st(db, QStringLiteral("SELECT QTDIASPRAZO, VRPERCPARC FROM PRAZOFORMPGTO "
                                            "WHERE CDFORMPGTO = :FORMA ORDER BY NRPARCELA"));
        st.Exec({{QStringLiteral("FORMA"), form}});
        std::vector<std::pair<int, double>> terms;
        while (st.Next())
            terms.emplace_back(st.Value(0).toInt(), st.Value(1).toDouble());
        return terms;
    }

    // Orders per department, the receivable with its instalments, the
    // supplier payables and the record of the closing of a closed budget.
    void WriteClosing(const TDemoBudget& b, double total,
                      const std::vector<std::pair<QString, double>>& parcels) {
        const QVariant closedAt = DbDateTime(b.closedAt);
        const QString customer = b.contracts.empty() ? b.customer : b.contracts.front().customer;
        std::map<QString, std::vector<const TDemoBudget::Item*>> byDepto;
        for (const auto& it : b.items)
            byDepto[QString::fromLatin1(DemoProduct(it.tree).depto)].push_back(&it);
        int orders = 0;
        for (const auto& [depto, items] : byDepto) {
            const QString nr = Next(b.branch, "PED");
            double sum = 0;
            for (const auto* it : items)
                sum += Money(it->qt * it->price - it->desc + it->acre);
            pedido.Row({b.branch, nr, b.branch, b.number, b.seq, depto, customer, "P", closedAt,
                        DbDateTime(b.event), Money(sum), b.closedBy});
            int n = 0;
            for (const auto* it : items)
                itemPedido.Row({b.branch, nr, ++n, DemoProduct(it->tree).code, it->qt, it->price,
                                Money(it->qt * it->price - it->desc + it->acre)});
            ++orders;
        }
        int receivables = 0;
        if (!parcels.empty()) {
            const QString nr = Next(b.branch, "CREC");
            contaRec.Row({b.branch, nr, customer, "001", "V01", b.branch, b.number, b.seq, "0001",
                          "1", closedAt, total, b.closedBy});
            for (size_t i = 0; i < parcels.size(); ++i) {
                const bool paid = i < size_t(b.paidParcels.size()) && b.paidParcels[i] == u'L';
                const QDate due = QDate::fromString(parcels[i].first, Qt::ISODate);
                parcela.Row({b.branch, nr, int(i + 1), DbDate(due), parcels[i].second,
                             paid ? "L" : "A", paid ? DbDate(due) : QVariant()});
            }
            ++receivables;
        }
        int payables = 0;
        for (const auto& it : b.items) {
            if (it.supplier.isEmpty())
                continue;
            contaPag.Row({b.branch, Next(b.branch, "CPAG"), it.supplier, QVariant(), "001", "E01",
                          b.branch, b.number, b.seq, "1", closedAt,
                          DbDate(b.event.date().addDays(10)), it.supplierValue, b.closedBy});
            ++payables;
        }
        fecha.Row({b.branch, b.number, b.seq, b.closedBy, closedAt, total, orders, receivables,
                   payables});
    }
};

TDemoBudgetWriter::TDemoBudgetWriter(TDbConnection& db) : d(std::make_unique<Impl>(db)) {}

TDemoBudgetWriter::~TDemoBudgetWriter() = default;

double TDemoBudgetWriter::Write(const TDemoBudget& in) {
    TDemoBudget b = in;
    // Base prices where the budget gives none.
    for (auto& it : b.items)
        if (it.price < 0)
            it.price = DemoProduct(it.tree).price;
    for (auto& l : b.labour)
        if (l.charged < 0)
            l.charged = DemoProduct(l.tree).price;

    double items = 0, labour = 0, halls = 0;
    for (const auto& it : b.items)
        items += Money(it.qt * it.price - it.desc + it.acre);
    for (const auto& l : b.labour)
        labour += Money(l.qt * l.charged);
    for (const auto& h : b.halls)
        halls += h.value;
    const double total = Money(items + labour + halls - b.discount + b.addition);
    const double guests = b.adults + b.children;

    const TDemoSeller* seller = FindSeller(b.seller);
    const bool registered = !b.customer.isEmpty();
    int activeContracts = 0;
    for (const auto& c : b.contracts)
        activeContracts += c.cancelled ? 0 : 1;

    // Delivery address: the hall's (the branch), the customer's or one typed in.
    QString street, district, city = QStringLiteral("0001"), state = QStringLiteral("SP"),
                              reference;
    if (b.delivery == u'C') {
        TSqlStatement st(d->db, QStringLiteral("SELECT DSENDECLIE, NMBAIRCLIE, CDMUNICIPIO, "
                                               "SGESTADO FROM ENDECLIE WHERE CDCLIENTE = :CLIENTE "
                                               "AND IDTPENDECLIE = 'P'"));
        st.Exec({{QStringLiteral("CLIENTE"), b.customer}});
        if (st.Next()) {
            street = st.Value(0).toString();
            district = st.Value(1).toString();
            city = st.Value(2).toString();
            state = st.Value(3).toString();
        }
    } else if (b.delivery == u'P') {
        TSqlStatement st(d->db, QStringLiteral("SELECT DSENDEFILI, CDMUNICIPIO, SGESTADO FROM "
                                               "FILIAL WHERE CDFILIAL = :FILIAL"));
        st.Exec({{QStringLiteral("FILIAL"), b.branch}});
        if (st.Next()) {
            street = st.Value(0).toString().section(QStringLiteral(" - "), 0, 0);
            district = st.Value(0).toString().section(QStringLiteral(" - "), 1);
            city = st.Value(1).toString();
            state = st.Value(2).toString();
        }
        reference = QStringLiteral("Entrada de fornecedores pela lateral");
    } else {
        street = QStringLiteral("Estrada da Cachoeira, 1200 - Sítio Recanto");
        district = QStringLiteral("Zona Rural");
        reference = QStringLiteral("Portão verde após a ponte");
    }

    const bool closed = b.situation == '3';
    d->orca.Row({b.branch,
                 b.number,
                 b.seq,
                 QString(QChar::fromLatin1(b.situation)),
                 "E",
                 Text(b.title),
                 registered ? "C" : "N",
                 Text(b.customer),
                 Text(b.newCustomer),
                 b.contracts.empty() ? QVariant() : QVariant(b.contracts.front().customer),
                 Text(b.seller),
                 seller ? Text(seller->manager) : QVariant(),
                 seller ? Text(seller->supervisor) : QVariant(),
                 b.eventType,
                 b.serviceType,
                 b.receiptType,
                 DbDateTime(b.event),
                 b.hours,
                 DbDate(b.validUntil),
                 DbDateTime(QDateTime(b.created, QTime(10, 15))),
                 b.typist,
                 guests,
                 b.adults,
                 b.children,
                 b.delivery == u' ' ? QVariant() : QVariant(QString(b.delivery)),
                 "1058",
                 state,
                 city,
                 QVariant(),
                 Text(street),
                 Text(district),
                 Text(reference),
                 QVariant(),
                 b.payKind == u'V' ? QVariant(b.payForm) : QVariant(),
                 QString(b.payKind),
                 b.payKind == u'F' ? QVariant(double(b.fixedDay)) : QVariant(),
                 b.payKind == u'F' ? QVariant(double(b.parcels)) : QVariant(),
                 b.payKind == u'F' ? "E" : "I",
                 b.payMode,
                 "N",
                 "01",
                 "03",
                 Text(b.school),
                 Text(b.course),
                 b.discount,
                 b.addition,
                 0.0,
                 100.0,
                 total,
                 b.expectedContracts.value_or(activeContracts),
                 b.childCancelled ? "S" : "N",
                 closed ? DbDateTime(b.closedAt) : QVariant(),
                 closed ? QVariant(b.closedBy) : QVariant()});

    int n = 0;
    for (const auto& it : b.items) {
        const bool third = !it.supplier.isEmpty();
        d->item.Row({b.branch, b.number, b.seq, QString::number(++n).rightJustified(3, u'0'),
                     DemoProduct(it.tree).code, it.qt, it.price, it.desc, it.acre, "P", "01",
                     Text(it.supplier), third ? QVariant(it.supplierValue) : QVariant(),
                     third ? DbDate(b.event.date().addDays(10)) : QVariant(),
                     it.invoiced ? "S" : "N", it.fixedCost ? "S" : "N"});
    }
    for (const auto& l : b.labour)
        d->mao.Row({b.branch, b.number, b.seq, l.team, DemoProduct(l.tree).code, l.qt, l.charged,
                    Money(l.charged * 0.6), l.extra ? "S" : "N"});
    for (const auto& h : b.halls)
        d->salao.Row({b.branch, b.number, b.seq, h.code, h.state, Text(h.reservation),
                      DbDate(b.event.date().addDays(-30)), h.value});

    // Instalments of "by payment form" budgets, counted from the day it was typed.
    std::vector<std::pair<QString, double>> parcels;
    if (b.payKind == u'V') {
        const auto terms = d->Terms(b.payForm);
        double rest = total;
        for (size_t i = 0; i < terms.size(); ++i) {
            const double value =
                i + 1 == terms.size() ? Money(rest) : Money(total * terms[i].second / 100);
            rest -= value;
            const QDate due = b.created.addDays(terms[i].first);
            d->prazo.Row(
                {b.branch, b.number, b.seq, int(i + 1), double(terms[i].first), terms[i].second,
                 DbDate(due), value,
                 i == 0 && terms[i].first == 0 ? QVariant(QStringLiteral("Sinal")) : QVariant()});
            parcels.emplace_back(due.toString(Qt::ISODate), value);
        }
    } else if (total > 0) {
        parcels.emplace_back(b.event.date().toString(Qt::ISODate), total);
    }

    if (!b.externalObs.isEmpty())
        d->obsExt.Row({b.branch, b.number, b.seq, Rtf(b.externalObs)});
    for (const auto& [depto, text] : b.internalObs)
        d->obsInt.Row({b.branch, b.number, b.seq, depto, Rtf(text)});

    // Explicit values stand; the shares split the rest, and the last active
    // share takes what rounding left over, so that active values add up to
    // the total unless a budget means them not to.
    double assigned = 0;
    int lastShare = -1;
    for (int i = 0; i < int(b.contracts.size()); ++i) {
        const auto& c = b.contracts[size_t(i)];
        if (c.cancelled)
            continue;
        if (c.value)
            assigned += *c.value;
        else if (!c.noValue)
            lastShare = i;
    }
    for (int i = 0; i < int(b.contracts.size()); ++i) {
        const auto& c = b.contracts[size_t(i)];
        QVariant value;
        if (c.value) {
            value = *c.value;
        } else if (!c.noValue) {
            const double v = i == lastShare ? Money(total - assigned) : Money(total * c.share);
            value = v;
            if (!c.cancelled && i != lastShare)
                assigned += v;
        }
        QVariant qtGuests;
        if (c.guests)
            qtGuests = *c.guests;
        else if (!c.noGuests)
            qtGuests = std::round(guests * c.share);
        d->contrat.Row({b.branch, b.number, b.seq, c.customer, c.cancelled ? "CANCELADO" : "ATIVO",
                        value, qtGuests, Text(c.company),
                        DbDateTime(QDateTime(b.created.addDays(2), QTime(14, 0)))});
    }

    const bool generatesReceivable = b.receiptType != u"02";
    if (closed)
        d->WriteClosing(b, total, generatesReceivable ? parcels : decltype(parcels){});
    return total;
}

void TDemoBudgetWriter::FinishNumbering() {
    TSqlStatement st(d->db, QStringLiteral("UPDATE NUMERADOR SET NRULTIMO = :ULTIMO "
                                           "WHERE CDFILIAL = :FILIAL AND IDNUMERADOR = :TIPO"));
    for (const auto& [key, last] : d->numbers)
        st.Exec({{QStringLiteral("ULTIMO"), last},
                 {QStringLiteral("FILIAL"), key.first},
                 {QStringLiteral("TIPO"), key.second}});
}
