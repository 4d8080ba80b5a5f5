#include "seed/DemoSeed.h"

#include "seed/SeedWriter.h"

namespace {

QStringList Cols(const char* list) {
    return QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts);
}

struct TBranch {
    const char* code;
    const char* name;
    const char* company;
    const char* state;
    const char* city;
    const char* street;
    const char* series; // default series; null leaves it missing
};

// Each branch but 0001 lacks one piece of the closing's parameters, so that
// every refusal can be shown (docs/database.md lists which).
const TBranch kBranches[] = {
    {"0001", "Celebrar Matriz São Paulo", "Celebrar Eventos Ltda. - Matriz", "SP", "0001",
     "Rua Funchal, 418 - Vila Olímpia", "1"},
    {"0002", "Celebrar Campinas", "Celebrar Eventos Ltda. - Campinas", "SP", "0002",
     "Av. Norte-Sul, 1200 - Cambuí", "1"},
    {"0003", "Celebrar Santos", "Celebrar Eventos Ltda. - Santos", "SP", "0003",
     "Av. Conselheiro Nébias, 700 - Boqueirão", "1"},
    {"0004", "Celebrar Rio de Janeiro", "Celebrar Rio Eventos Ltda.", "RJ", "0010",
     "Av. das Américas, 3500 - Barra da Tijuca", "1"},
    {"0005", "Celebrar Belo Horizonte", "Celebrar Eventos Ltda. - BH", "MG", "0020",
     "Av. do Contorno, 6000 - Savassi", nullptr},
    {"0006", "Celebrar Curitiba", "Celebrar Eventos Ltda. - Curitiba", "PR", "0030",
     "Rua Comendador Araújo, 500 - Batel", "1"},
    {"0007", "Celebrar Porto Alegre", "Celebrar Eventos Ltda. - Porto Alegre", "RS", "0040",
     "Av. Carlos Gomes, 700 - Petrópolis", "1"},
    {"0008", "Celebrar Florianópolis", "Celebrar Eventos Ltda. - Florianópolis", "SC", "0050",
     "Rua Bocaiúva, 2000 - Centro", "1"},
};

struct TBranchParams {
    const char* branch;
    const char* tipoOper;
    const char* tipoOperPag;
    const char* tipoOperNeg;
    const char* serieEntr;
    const char* tipoAjuste;
};

// 0003 has no row at all.
const TBranchParams kParams[] = {
    {"0001", "V01", "E01", "D01", "2", "001"},       {"0002", "V01", "E01", "D01", "2", "001"},
    {"0004", "V02", "E01", "D01", "2", "001"},       {"0005", "V01", "E01", "D01", "2", "001"},
    {"0006", "V01", nullptr, nullptr, "2", nullptr}, {"0007", "V01", "E02", "D02", "2", "001"},
    {"0008", "V01", "E01", "D01", nullptr, "001"},
};

QVariant Opt(const char* s) {
    return s ? QVariant(QString::fromUtf8(s)) : QVariant();
}

} // namespace

void LoadDemoBranches(TDbConnection& db) {
    TTableWriter filial(db, "FILIAL",
                        Cols("CDFILIAL,NMFILIAL,NMRAZSOCFILI,CDPAIS,SGESTADO,CDMUNICIPIO,"
                             "DSENDEFILI,CDSERIEPADRAO,IDATIVAFILI"));
    for (const auto& b : kBranches)
        filial.Row({b.code, QString::fromUtf8(b.name), QString::fromUtf8(b.company), "1058",
                    b.state, b.city, QString::fromUtf8(b.street), Opt(b.series), "S"});

    // Company 0001 bills everywhere but Rio, which has its own; 0003 (no state
    // registration) may bill for the main branch.
    TTableWriter empresaFilial(db, "EMPRESAFILIAL", Cols("CDEMPRESA,CDFILIAL"));
    for (const auto& b : kBranches)
        empresaFilial.Row({QString::fromLatin1(b.code) == u"0004" ? "0002" : "0001", b.code});
    empresaFilial.Row({"0003", "0001"});

    // Every department orders from its own branch, except ice sculptures at the
    // main branch, which no branch has been set to supply.
    TTableWriter deptoFilial(db, "DEPTOFILIAL", Cols("CDFILIAL,CDDEPTO,CDFILIPEDORC"));
    for (const auto& b : kBranches)
        for (const char* d : {"001", "002", "003", "004", "005", "006", "007", "008"})
            deptoFilial.Row({b.code, d,
                             QString::fromLatin1(b.code) == u"0001" && qstrcmp(d, "008") == 0
                                 ? QVariant()
                                 : QVariant(QString::fromLatin1(b.code))});

    // Every sellable product at every branch, with its department; at the main
    // branch the Tiffany chair has no department. Bands are not offered in
    // Florianópolis.
    TTableWriter prodFilial(db, "PRODFILIAL", Cols("CDFILIAL,CDPRODUTO,VRPRECOPROD,CDDEPTO"));
    for (const auto& b : kBranches) {
        const QString branch = QString::fromLatin1(b.code);
        for (const auto& p : DemoProducts()) {
            if (p.Level() < 3)
                continue;
            const QString tree = QString::fromLatin1(p.tree);
            if (branch == u"0008" && tree == u"401002")
                continue;
            const bool noDepto = branch == u"0001" && tree == u"302002";
            prodFilial.Row({branch, p.code, p.price,
                            noDepto ? QVariant() : QVariant(QString::fromLatin1(p.depto))});
        }
    }

    TTableWriter paramFili(
        db, "PARAMORCAFILI",
        Cols("CDFILIAL,CDTIPOOPER,CDTIPOOPERPAG,CDTIPOOPERNEG,CDSERIEENTR,CDTPAJUSTEREC"));
    for (const auto& p : kParams)
        paramFili.Row({p.branch, Opt(p.tipoOper), Opt(p.tipoOperPag), Opt(p.tipoOperNeg),
                       Opt(p.serieEntr), Opt(p.tipoAjuste)});

    // Campinas has no order parametrisation.
    TTableWriter paramPed(db, "PARAMPEDIDO", Cols("CDFILIAL,CDSERIEPED"));
    for (const auto& b : kBranches)
        if (QString::fromLatin1(b.code) != u"0002")
            paramPed.Row({b.code, "P"});

    TTableWriter numerador(db, "NUMERADOR", Cols("CDFILIAL,IDNUMERADOR,NRULTIMO"));
    for (const auto& b : kBranches)
        for (const char* kind : {"PED", "CREC", "CPAG"})
            numerador.Row({b.code, kind, 0});

    TTableWriter salao(db, "SALAOEVEN", Cols("CDFILIAL,CDSALAOEVEN,NMSALAOEVEN,QTCAPASALAO"));
    salao.Row({"0001", "001", "Salão Cristal", 300});
    salao.Row({"0001", "002", "Salão Jardim de Inverno", 150});
    salao.Row({"0001", "003", "Espaço Gourmet", 60});
    for (const auto& b : kBranches) {
        if (QString::fromLatin1(b.code) == u"0001")
            continue;
        salao.Row({b.code, "001", "Salão Principal", 220});
        salao.Row({b.code, "002", "Terraço", 80});
    }
}
