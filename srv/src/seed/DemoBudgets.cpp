#include "seed/DemoBudget.h"
#include "seed/DemoSeed.h"

#include <cmath>

namespace {

using B = TDemoBudget;
using Items = std::vector<B::Item>;

// Customers
const QString kHorizonte = QStringLiteral("J45678912000134");
const QString kMariana = QStringLiteral("F39053344705");
const QString kPedro = QStringLiteral("F52998224725");
const QString kLucas = QStringLiteral("F11144477735");
const QString kFormandos = QStringLiteral("J11444777000161");
const QString kBeatriz = QStringLiteral("F98765432100");
const QString kAurora = QStringLiteral("J60701190000104");
const QString kCamila = QStringLiteral("F12312312387");
const QString kJoseCarlos = QStringLiteral("F32132132109");
const QString kPatricia = QStringLiteral("F45645645600");
const QString kAntonio = QStringLiteral("F85296374100");
const QString kValeVerde = QStringLiteral("J33000167000101");
const QString kGabriela = QStringLiteral("F96385274100");
const QString kRafael = QStringLiteral("F15975345600");

B::Item It(const char* tree, double qt, double price = -1) {
    B::Item i;
    i.tree = QString::fromLatin1(tree);
    i.qt = qt;
    i.price = price;
    return i;
}

double Per(double guests, double perHundred) {
    return std::ceil(guests * perHundred / 100.0);
}

Items WeddingMenu(double g) {
    return {It("101001", Per(g, 6)),  It("101002", Per(g, 4)), It("101004", Per(g, 3)),
            It("102001", g * 0.2),    It("102002", g * 0.9),   It("103001", g * 2),
            It("103002", Per(g, 12)), It("201001", g * 2),     It("201002", g * 0.4),
            It("202002", Per(g, 17)), It("202001", g * 3),     It("301001", Per(g, 10)),
            It("302001", Per(g, 10)), It("401001", 1),         It("402001", 1)};
}

Items PartyMenu(double g) {
    return {It("101001", Per(g, 8)), It("101003", Per(g, 6)), It("103002", Per(g, 10)),
            It("103003", Per(g, 3)), It("201001", g * 3),     It("202001", g * 2),
            It("401001", 1)};
}

Items CorporateMenu(double g) {
    return {It("101004", Per(g, 6)), It("102003", g),          It("201003", g * 2),
            It("201002", g * 0.3),   It("202002", Per(g, 12)), It("301001", Per(g, 10))};
}

Items GraduationMenu(double g) {
    return {It("101001", Per(g, 8)), It("101002", Per(g, 6)), It("102002", g),
            It("103001", g),         It("202003", g * 1.5),   It("201001", g * 2),
            It("401002", 1),         It("402001", 1),         It("302001", Per(g, 10))};
}

std::vector<B::Labour> Staff(double g, double hours) {
    auto line = [](const char* team, const char* tree, double qt) {
        B::Labour l;
        l.team = QString::fromLatin1(team);
        l.tree = QString::fromLatin1(tree);
        l.qt = qt;
        return l;
    };
    return {line("01", "901001", Per(g, 7) * hours), line("01", "901002", Per(g, 2) * hours),
            line("01", "901003", hours), line("02", "902001", Per(g, 1.25) * hours),
            line("02", "902002", Per(g, 1.7) * hours)};
}

B::Hall Hall(const char* code, double value, const char* state = "R", const char* nr = "01") {
    B::Hall h;
    h.code = QString::fromLatin1(code);
    h.value = value;
    h.state = QString::fromLatin1(state);
    h.reservation = QString::fromLatin1(nr);
    return h;
}

B::Contract Contract(const QString& customer, double share = 1, const char* company = "0001") {
    B::Contract c;
    c.customer = customer;
    c.share = share;
    c.company = QString::fromLatin1(company);
    return c;
}

QString Nr(int n) {
    return QString::number(n).rightJustified(10, u'0');
}

// A budget with the usual menu, staff, hall, payment and one paying customer.
B Budget(const char* branch, int number, const QString& title, const QString& customer,
         const char* seller, const char* eventType, const char* serviceType, QDateTime event,
         double adults, double children = 0) {
    B b;
    b.branch = QString::fromLatin1(branch);
    b.number = Nr(number);
    b.title = title;
    b.customer = customer;
    b.seller = QString::fromLatin1(seller);
    b.eventType = QString::fromLatin1(eventType);
    b.serviceType = QString::fromLatin1(serviceType);
    b.event = event;
    b.adults = adults;
    b.children = children;
    b.created = event.date().addMonths(-3);
    b.validUntil = b.created.addDays(45);
    const double g = adults + children;
    const QString type = b.eventType;
    b.items = type == u"001" || type == u"005"   ? WeddingMenu(g)
              : type == u"003"                   ? GraduationMenu(g)
              : type == u"004" || type == u"006" ? CorporateMenu(g)
                                                 : PartyMenu(g);
    b.labour = Staff(g, b.hours);
    b.halls = {Hall("001", QString::fromLatin1(branch) == u"0001" ? 4500 : 3500)};
    if (!customer.isEmpty())
        b.contracts = {Contract(customer)};
    b.externalObs = {QStringLiteral("Cardápio sujeito a alteração até 15 dias antes do evento."),
                     QStringLiteral("Valores válidos para o número de convidados informado; "
                                    "excedentes serão cobrados à parte.")};
    b.internalObs = {
        {QStringLiteral("001"),
         {QStringLiteral("Confirmar restrições alimentares com o cliente na degustação.")}},
        {QStringLiteral("006"),
         {QStringLiteral("Cliente indicado por evento anterior; "
                         "negociar brinde de boas-vindas.")}}};
    return b;
}

QDateTime At(int y, int m, int d, int hh = 19, int mm = 30) {
    return QDateTime(QDate(y, m, d), QTime(hh, mm));
}

B Child(const B& parent, const char* seq, const QString& title, const Items& items) {
    B c = parent;
    c.seq = QString::fromLatin1(seq);
    c.title = title;
    c.items = items;
    c.labour.clear();
    c.halls.clear();
    c.created = parent.created.addDays(20);
    c.validUntil = c.created.addDays(30);
    c.payKind = u'F';
    c.externalObs = {
        QStringLiteral("Complemento do orçamento principal %1.").arg(parent.number.right(4))};
    c.internalObs.clear();
    c.contracts = {Contract(parent.customer)};
    c.situation = '2';
    c.closedAt = QDateTime();
    c.paidParcels.clear();
    return c;
}

// A credit note: a small service less a larger credit from an earlier event,
// so the total is below zero and so are the contracting values.
void MakeCredit(B& b, double credit) {
    b.items = {It("201003", 40), It("101004", 2)};
    b.labour.clear();
    b.halls.clear();
    b.discount = credit;
    b.payKind = u'X';
    b.externalObs = {QStringLiteral("Crédito referente a evento cancelado, abatido neste "
                                    "orçamento conforme acordo comercial.")};
}

void Close(B& b, QDateTime at, const char* paid, const char* by = "MARIA") {
    b.situation = '3';
    b.closedAt = at;
    b.paidParcels = QString::fromLatin1(paid);
    b.closedBy = QString::fromLatin1(by);
}

} // namespace

void LoadDemoBudgets(TDbConnection& db) {
    TDemoBudgetWriter w(db);

    // ---- Main branch 0001: every parameter in place.

    // 1001: a wedding that closes, with a child still open (closing either
    // reports the other as not closed).
    B wedding = Budget("0001", 1001, QStringLiteral("Casamento Mariana & Rafael"), kMariana, "0005",
                       "001", "001", At(2027, 2, 20), 150, 30);
    wedding.contracts = {Contract(kMariana, 0.6), Contract(kJoseCarlos, 0.4)};
    wedding.halls = {Hall("001", 4500), Hall("002", 1800, "a", "02")};
    wedding.externalObs << QStringLiteral("Cerimônia no Salão Jardim de Inverno às 18h; "
                                          "recepção no Salão Cristal.");
    w.Write(wedding);
    w.Write(Child(wedding, "01", QStringLiteral("Casamento Mariana & Rafael - ilha de doces"),
                  {It("103003", 6), It("103001", 200)}));

    // 1002: closed, instalments still open; its child closes and adjusts them.
    B aurora = Budget("0001", 1002, QStringLiteral("Confraternização Banco Aurora 2026"), kAurora,
                      "0007", "006", "002", At(2026, 12, 18, 20, 0), 220);
    aurora.payForm = QStringLiteral("02");
    aurora.delivery = u'C';
    Close(aurora, At(2026, 11, 25, 16, 40), "L");
    w.Write(aurora);
    w.Write(Child(aurora, "01", QStringLiteral("Confraternização Banco Aurora - open bar extra"),
                  {It("202003", 120), It("202001", 300)}));

    // 1003: closed and fully paid: its child finds no open instalment.
    B debut = Budget("0001", 1003, QStringLiteral("Aniversário de 15 anos da Beatriz"), kBeatriz,
                     "0006", "002", "001", At(2026, 12, 12, 21, 0), 120, 10);
    debut.payForm = QStringLiteral("03");
    Close(debut, At(2026, 10, 30, 11, 5), "LLL");
    w.Write(debut);
    w.Write(Child(debut, "01", QStringLiteral("Aniversário de 15 anos - mesa de frios"),
                  {It("101003", 3), It("101001", 2)}));

    // 1004: a courtesy event, closed without a receivable; its child is
    // charged, and finds no receivable to adjust.
    B charity = Budget("0001", 1004, QStringLiteral("Jantar beneficente Instituto Horizonte"),
                       kHorizonte, "0005", "004", "005", At(2026, 12, 5, 20, 0), 80);
    charity.receiptType = QStringLiteral("02");
    Close(charity, At(2026, 11, 10, 9, 30), "");
    w.Write(charity);
    B desserts =
        Child(charity, "01", QStringLiteral("Jantar beneficente - sobremesas"), {It("103002", 8)});
    desserts.receiptType = QStringLiteral("01");
    w.Write(desserts);

    // 1005: the customer is not registered yet; her sister pays.
    B newcomer = Budget("0001", 1005, QStringLiteral("Aniversário de 40 anos da Marina"), QString(),
                        "0006", "002", "002", At(2027, 3, 6, 20, 0), 70, 5);
    newcomer.newCustomer = QStringLiteral("Marina Albuquerque Nogueira");
    newcomer.contracts = {Contract(kPatricia)};
    w.Write(newcomer);

    // 1006: no contracting customer.
    B launch = Budget("0001", 1006, QStringLiteral("Coquetel de lançamento Residencial Aurora"),
                      kHorizonte, "0005", "004", "002", At(2027, 1, 28, 19, 0), 150);
    launch.contracts.clear();
    w.Write(launch);

    // 1007: every contracting customer cancelled.
    B graduation = Budget("0001", 1007, QStringLiteral("Formatura Direito USP 2026"), kFormandos,
                          "0005", "003", "001", At(2027, 1, 23, 22, 0), 400, 0);
    graduation.school = QStringLiteral("USP");
    graduation.course = QStringLiteral("0001");
    graduation.hours = 7;
    graduation.halls = {Hall("001", 6000)};
    graduation.contracts = {Contract(kFormandos, 1), Contract(kLucas, 0)};
    for (auto& c : graduation.contracts)
        c.cancelled = true;
    graduation.expectedContracts = 2;
    w.Write(graduation);

    // 1008: a contracting customer without a value.
    B sixty = Budget("0001", 1008, QStringLiteral("Aniversário de 60 anos do Sr. Antônio"),
                     kAntonio, "0008", "002", "005", At(2027, 2, 13, 12, 30), 90, 10);
    sixty.contracts = {Contract(kAntonio, 0.5), Contract(kPatricia, 0.5)};
    sixty.contracts[1].noValue = true;
    w.Write(sixty);

    // 1009: the contracting values do not add up to the total.
    B shower = Budget("0001", 1009, QStringLiteral("Chá de bebê da Camila"), kCamila, "0006", "002",
                      "003", At(2027, 2, 7, 15, 0), 40, 5);
    shower.contracts = {Contract(kCamila)};
    shower.contracts[0].value = 5000.00;
    w.Write(shower);

    // 1010: two contracting customers expected, one given.
    B silver = Budget("0001", 1010, QStringLiteral("Bodas de prata Pedro e Lúcia"), kPedro, "0006",
                      "005", "005", At(2027, 3, 13, 20, 0), 110);
    silver.expectedContracts = 2;
    w.Write(silver);

    // 1011: two extra-labour lines: the closing asks first, then closes.
    B lucas = Budget("0001", 1011, QStringLiteral("Casamento Lucas & Júlia"), kLucas, "0006", "001",
                     "001", At(2027, 4, 17, 17, 0), 200, 20);
    lucas.labour[0].extra = true;
    lucas.labour[4].extra = true;
    w.Write(lucas);

    // 1012: one extra-labour line: no question; an event type of effective cost.
    B dinner = Budget("0001", 1012, QStringLiteral("Jantar de negócios Banco Aurora"), kAurora,
                      "0007", "004", "005", At(2027, 2, 24, 20, 30), 60);
    dinner.labour[2].extra = true;
    dinner.halls = {Hall("003", 1200)};
    dinner.payKind = u'F';
    dinner.fixedDay = 10;
    dinner.parcels = 2;
    w.Write(dinner);

    // 1013: a negative budget (a credit carried from a cancelled event),
    // contracting values below zero: closes into a payable to the customer.
    B credit = Budget("0001", 1013, QStringLiteral("Crédito de evento cancelado - Horizonte"),
                      kHorizonte, "0005", "004", "003", At(2027, 1, 15, 9, 0), 50);
    MakeCredit(credit, 1500);
    w.Write(credit);

    // 1014: negative too, but a contracting value above zero.
    B credit2 = credit;
    credit2.number = Nr(1014);
    credit2.title = QStringLiteral("Crédito de coffee break - Horizonte");
    credit2.contracts = {Contract(kPatricia, 0), Contract(kHorizonte, 1)};
    credit2.contracts[0].value = 150.0;
    w.Write(credit2);

    // 1015: a normal receipt with a zero total.
    B zero = Budget("0001", 1015, QStringLiteral("Festa junina da Construtora Horizonte"),
                    kHorizonte, "0005", "006", "004", At(2027, 6, 19, 18, 0), 100);
    for (auto& it : zero.items)
        it.price = 0;
    for (auto& l : zero.labour)
        l.charged = 0;
    zero.halls = {Hall("002", 0)};
    zero.payKind = u'X';
    w.Write(zero);

    // 1016 to 1018: the company that bills the contracting customer.
    B noCompany = Budget("0001", 1016, QStringLiteral("Aniversário de 30 anos do Pedro"), kPedro,
                         "0006", "002", "002", At(2027, 3, 20, 21, 0), 80);
    noCompany.contracts[0].company.clear();
    w.Write(noCompany);
    B otherCompany = Budget("0001", 1017, QStringLiteral("Convenção anual Coop. Vale Verde"),
                            kValeVerde, "0008", "004", "003", At(2027, 3, 3, 8, 30), 180);
    otherCompany.contracts[0].company = QStringLiteral("0002");
    w.Write(otherCompany);
    B noRegistration = Budget("0001", 1018, QStringLiteral("Almoço de Páscoa da família Ferreira"),
                              kJoseCarlos, "0005", "006", "005", At(2027, 3, 28, 12, 0), 45, 15);
    noRegistration.contracts[0].company = QStringLiteral("0003");
    w.Write(noRegistration);

    // 1019: an item without department; 1020: a department no branch supplies.
    B tiffany = Budget("0001", 1019, QStringLiteral("Casamento Camila & Thiago"), kCamila, "0006",
                       "001", "001", At(2027, 5, 8, 18, 0), 130, 10);
    tiffany.items.push_back(It("302002", 140));
    w.Write(tiffany);
    B ice = Budget("0001", 1020, QStringLiteral("Baile de gala Banco Aurora"), kAurora, "0007",
                   "004", "005", At(2027, 5, 22, 21, 0), 250);
    ice.items.push_back(It("301003", 2));
    w.Write(ice);

    // 1021: guests not given for a contracting customer; 1022: they add up wrong.
    B guestsMissing = Budget("0001", 1021, QStringLiteral("Formatura Medicina PUC-SP"), kFormandos,
                             "0005", "003", "001", At(2027, 2, 27, 22, 0), 300);
    guestsMissing.school = QStringLiteral("PUCSP");
    guestsMissing.course = QStringLiteral("0002");
    guestsMissing.contracts = {Contract(kFormandos, 0.7), Contract(kLucas, 0.3)};
    guestsMissing.contracts[1].noGuests = true;
    w.Write(guestsMissing);
    B guestsWrong = Budget("0001", 1022, QStringLiteral("Aniversário de 50 anos da Patrícia"),
                           kPatricia, "0006", "002", "005", At(2027, 4, 3, 20, 0), 100);
    guestsWrong.contracts = {Contract(kPatricia, 0.5), Contract(kCamila, 0.5)};
    guestsWrong.contracts[0].guests = 30;
    guestsWrong.contracts[1].guests = 40;
    w.Write(guestsWrong);

    // 1023: a third-party band: closes into a payable to the supplier as well.
    B band = Budget("0001", 1023, QStringLiteral("Festa de fim de ano Horizonte"), kHorizonte,
                    "0005", "006", "001", At(2027, 1, 9, 20, 0), 160);
    band.items.push_back(It("401002", 1, 7200));
    band.items.back().supplier = QStringLiteral("J22333444000172");
    band.items.back().supplierValue = 5800;
    w.Write(band);

    // Situations outside the closing: pending, executed, finished, cancelled;
    // and a closed budget whose child contract was cancelled.
    B pending = Budget("0001", 1024, QStringLiteral("Orçamento em negociação - Casamento Gabriela"),
                       kGabriela, "0007", "001", "001", At(2027, 9, 11, 18, 0), 160);
    pending.situation = '1';
    w.Write(pending);
    B executed = Budget("0001", 1025, QStringLiteral("Coffee break treinamento Horizonte"),
                        kHorizonte, "0005", "004", "003", At(2026, 11, 20, 9, 0), 40);
    executed.situation = '4';
    w.Write(executed);
    B finished = Budget("0001", 1026, QStringLiteral("Aniversário de 8 anos do Theo"), kCamila,
                        "0006", "002", "002", At(2026, 10, 17, 15, 0), 30, 25);
    finished.situation = '7';
    w.Write(finished);
    B cancelled = Budget("0001", 1027, QStringLiteral("Noivado Ricardo & Ana (cancelado)"), kPedro,
                         "0006", "002", "002", At(2027, 1, 30, 20, 0), 60);
    cancelled.situation = '8';
    w.Write(cancelled);
    B closedNoProcess = Budget("0001", 1028, QStringLiteral("Confraternização Coop. Vale Verde"),
                               kValeVerde, "0008", "006", "004", At(2026, 12, 19, 12, 0), 150);
    closedNoProcess.childCancelled = true;
    Close(closedNoProcess, At(2026, 11, 28, 10, 0), "L", "JOAO");
    w.Write(closedNoProcess);

    // 1029: round figures to read the detail pages by: 200 guests and a
    // realised total of 10,000.00 (50.00 a head), at 19:30 for 4.5 hours, an
    // item of 3 × 10.00 less 2.00 plus 1.00, paid on day 10 in 3 instalments,
    // its hall booked as "a"; the child pays by a form with its terms.
    B rafael = Budget("0001", 1029, QStringLiteral("Aniversário de 35 anos do Rafael"), kRafael,
                      "0007", "002", "002", At(2027, 6, 12), 180, 20);
    rafael.hours = 4.5;
    B::Item arrangements = It("301001", 3, 10);
    arrangements.desc = 2;
    arrangements.acre = 1;
    rafael.items = {It("102002", 200, 32.50), arrangements};
    rafael.labour = {Staff(200, 4.5).front()}; // 14 waiters: 63 hours at 28.00
    rafael.halls = {Hall("002", 1800, "a")};
    rafael.discount = 93;
    rafael.payKind = u'F';
    rafael.fixedDay = 10;
    rafael.parcels = 3;
    w.Write(rafael);
    B sweets = Child(rafael, "01", QStringLiteral("Aniversário de 35 anos do Rafael - doces"),
                     {It("103003", 2), It("103001", 100)});
    sweets.discount = 0;
    sweets.payKind = u'V';
    sweets.payForm = QStringLiteral("03");
    w.Write(sweets);

    // 1030: closed from start to finish in the operator's guide: a customer
    // not registered yet (registration 246.813.579-28 is free), two extra-labour
    // lines and no contracting client. The realised total is 12,000.00 for 100
    // guests, so that two contracting clients take 6,000.00 and 50 guests each.
    B engagement = Budget("0001", 1030, QStringLiteral("Noivado Fernanda & Paulo"), QString(),
                          "0006", "002", "002", At(2027, 7, 10, 20, 0), 100);
    engagement.newCustomer = QStringLiteral("Fernanda Ribeiro Costa");
    engagement.items = {It("102002", 100, 80)};
    B::Labour waiters = Staff(100, 5).front();
    waiters.qt = 10;
    waiters.charged = 100;
    waiters.extra = true;
    B::Labour bar = Staff(100, 5)[3];
    bar.qt = 10;
    bar.charged = 100;
    bar.extra = true;
    engagement.labour = {waiters, bar};
    engagement.halls = {Hall("003", 2000)};
    engagement.contracts.clear();
    w.Write(engagement);

    // ---- Other branches: a budget that would close, refused by what the branch lacks.
    w.Write(Budget("0002", 2001, QStringLiteral("Casamento Lucas & Helena - Campinas"), kLucas,
                   "0006", "001", "001", At(2027, 2, 6, 19, 0), 140));
    w.Write(Budget("0003", 3001, QStringLiteral("Aniversário de 18 anos da Beatriz - Santos"),
                   kBeatriz, "0006", "002", "002", At(2027, 3, 27, 21, 0), 100));
    B rio = Budget("0004", 4001, QStringLiteral("Convenção Banco Aurora - Rio"), kAurora, "0007",
                   "004", "005", At(2027, 4, 14, 9, 0), 200);
    rio.contracts[0].company = QStringLiteral("0002"); // the Rio branch's own company
    w.Write(rio);
    w.Write(Budget("0005", 5001, QStringLiteral("Bodas de ouro família Mendonça"), kAntonio, "0008",
                   "005", "005", At(2027, 5, 1, 19, 30), 120));

    // Curitiba: a plain budget closes; a negative one, a child of a closed
    // budget and a third-party item each miss a parameter.
    w.Write(Budget("0006", 6001, QStringLiteral("Confraternização Coop. Vale Verde - Curitiba"),
                   kValeVerde, "0008", "006", "004", At(2027, 2, 20, 12, 0), 120));
    B negCwb = Budget("0006", 6002, QStringLiteral("Crédito de evento - Coop. Vale Verde"),
                      kValeVerde, "0008", "004", "003", At(2027, 3, 10, 9, 0), 40);
    MakeCredit(negCwb, 2000);
    w.Write(negCwb);
    B closedCwb = Budget("0006", 6003, QStringLiteral("Assembleia geral Coop. Vale Verde"),
                         kValeVerde, "0008", "004", "003", At(2026, 12, 15, 8, 0), 90);
    Close(closedCwb, At(2026, 11, 30, 15, 0), "L");
    w.Write(closedCwb);
    w.Write(Child(closedCwb, "01", QStringLiteral("Assembleia geral - almoço extra"),
                  {It("102002", 90)}));
    B thirdCwb = Budget("0006", 6004, QStringLiteral("Lançamento de safra Coop. Vale Verde"),
                        kValeVerde, "0008", "004", "002", At(2027, 4, 8, 19, 0), 150);
    thirdCwb.items.push_back(It("301002", 1, 480));
    thirdCwb.items.back().supplier = QStringLiteral("J11222333000181");
    thirdCwb.items.back().supplierValue = 350;
    w.Write(thirdCwb);

    // Porto Alegre: the entry and negative operation types generate no payable.
    B thirdPoa = Budget("0007", 7001, QStringLiteral("Casamento Gabriela & Rodrigo"), kGabriela,
                        "0007", "001", "001", At(2027, 3, 20, 18, 30), 160, 10);
    thirdPoa.items.push_back(It("401001", 1, 2600));
    thirdPoa.items.back().supplier = QStringLiteral("F12345678909");
    thirdPoa.items.back().supplierValue = 1900;
    w.Write(thirdPoa);
    B negPoa = Budget("0007", 7002, QStringLiteral("Crédito de evento - Gabriela Martins"),
                      kGabriela, "0007", "002", "003", At(2027, 2, 2, 10, 0), 20);
    MakeCredit(negPoa, 900);
    w.Write(negPoa);

    // Florianópolis: no entry series.
    B thirdFln = Budget("0008", 8001, QStringLiteral("Casamento Rafael & Luiza"), kRafael, "0007",
                        "001", "001", At(2027, 4, 24, 17, 30), 130);
    thirdFln.items.push_back(It("301002", 1, 450));
    thirdFln.items.back().supplier = QStringLiteral("J11222333000181");
    thirdFln.items.back().supplierValue = 320;
    w.Write(thirdFln);

    w.FinishNumbering();
}
