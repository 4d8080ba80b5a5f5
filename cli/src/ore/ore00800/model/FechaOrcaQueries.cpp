#include "ore/ore00800/model/FechaOrcaQueries.h"

#include "framework/db/NamedQuery.h"

namespace {

TFieldDefs ClientFields() {
    return {
        StrField("CDCLIENTE", 21),    StrField("IDTPIJURCLIE", 1), StrField("NRINSJURCLIE", 20),
        StrField("NMRAZSOCCLIE", 50), StrField("NMFANTCLIE", 50),
    };
}

// The contracting-client check, whose join syntax differs by dialect family.
const QStringList kPesqClieOuterMarks = {
    "SELECT",
    "   CL.IDTPIJURCLIE, CL.NRINSJURCLIE, CL.CDCLIENTE,",
    "   CL.NMFANTCLIE,   CL.NMRAZSOCCLIE, MP.CDMODPGTO,",
    "   MP.DSMODPGTO,    CL.VRPEMAXDESCL, V.CDVENDEDOR, ",
    "   V.NMFANVEN, V.VRPECOMVEN",
    "FROM",
    "   MODPGTO MP, CLIENTE CL, VENDEDOR V",
    "WHERE ((CL.CDCLIENTE    = :P_CDCLIENTE) OR",
    "       (CL.NRINSJURCLIE = :P_NRINSJURCLIE) AND (CL.IDTPIJURCLIE  = :P_IDTPIJURCLIE))",
    "  AND (CL.IDCLIEATIV    = 'S' )",
    "  AND (MP.CDMODPGTO (+) = CL.CDMODPGTO)",
    "  AND (CL.CDVENDEDOR = V.CDVENDEDOR(+))",
};

const QStringList kPesqClieAnsiJoins = {
    "SELECT",
    "   CL.IDTPIJURCLIE, CL.NRINSJURCLIE, CL.CDCLIENTE,",
    "   CL.NMFANTCLIE,   CL.NMRAZSOCCLIE, MP.CDMODPGTO,",
    "   MP.DSMODPGTO,    CL.VRPEMAXDESCL, V.CDVENDEDOR, V.NMFANVEN,",
    "   V.VRPECOMVEN",
    "FROM",
    "   CLIENTE CL LEFT JOIN MODPGTO MP ON (MP.CDMODPGTO = CL.CDMODPGTO)",
    "              LEFT JOIN VENDEDOR V ON (CL.CDVENDEDOR = V.CDVENDEDOR)",
    "WHERE ((CL.CDCLIENTE    = :P_CDCLIENTE) OR",
    "       (CL.NRINSJURCLIE = :P_NRINSJURCLIE) AND (CL.IDTPIJURCLIE = :P_IDTPIJURCLIE))",
    "  AND (CL.IDCLIEATIV   = 'S' )",
};

} // namespace

TFechaOrcaQueries::TFechaOrcaQueries(QObject* owner) {
    qryFilial = NewQuery(owner, "qryFilial",
                         {
                             StrField("CDFILIAL", 4).Label("Código"),
                             StrField("NMFILIAL", 30).Label("Nome").Width(50),
                         },
                         {"SELECT CDFILIAL, NMFILIAL", "FROM FILIAL", "ORDER BY CDFILIAL"});

    qryVdFilial =
        NewQuery(owner, "qryVdFilial",
                 {
                     StrField("CDFILIAL", 4).Hidden(),
                     StrField("NMFILIAL", 30).Hidden(),
                 },
                 {"SELECT CDFILIAL, NMFILIAL", "FROM FILIAL", "WHERE CDFILIAL = :P_CDFILIAL"});

    qryCliente =
        NewQuery(owner, "qryCliente",
                 {
                     StrField("NRINSJURCLIE", 20).Label("Inscrição"),
                     StrField("CDCLIENTE", 21).Label("Código").Required().Hidden(),
                     StrField("IDTPIJURCLIE", 1).Hidden(),
                     StrField("NMFANTCLIE", 50).Label("Nome Fantasia"),
                     StrField("NMRAZSOCCLIE", 50).Label("Razão Social"),
                 },
                 {"SELECT", "   CDCLIENTE,     IDTPIJURCLIE,  NRINSJURCLIE,",
                  "   NMRAZSOCCLIE,  NMFANTCLIE", "FROM", "   CLIENTE", "WHERE 'A' = 'A'"});

    qryPesqClie = NewQuery(owner, "qryPesqClie",
                           {
                               StrField("IDTPIJURCLIE", 1),
                               StrField("NRINSJURCLIE", 20),
                               StrField("CDCLIENTE", 21),
                               StrField("NMFANTCLIE", 50),
                               StrField("NMRAZSOCCLIE", 50),
                               StrField("CDMODPGTO", 5),
                               StrField("DSMODPGTO", 100),
                               FloatField("VRPEMAXDESCL"),
                               StrField("CDVENDEDOR", 4),
                               StrField("NMFANVEN", 50),
                               FloatField("VRPECOMVEN"),
                           },
                           kPesqClieOuterMarks);
    qryPesqClie->SQL_ORACLE = kPesqClieOuterMarks;
    qryPesqClie->SQL_MSSQL = kPesqClieAnsiJoins;
    qryPesqClie->SQL_IB = kPesqClieAnsiJoins;

    QryVdCliContrat = NewQuery(owner, "QryVdCliContrat", ClientFields(),
                               {"SELECT", "   CDCLIENTE,     IDTPIJURCLIE,  NRINSJURCLIE,",
                                "   NMRAZSOCCLIE,  NMFANTCLIE", "FROM", "   CLIENTE",
                                "WHERE (NRINSJURCLIE = :P_NRINSJURCLIE)  ", "", "", " "});

    dtsFilial = NewDataSource(owner, "dtsFilial", qryFilial);
    dtsCliente = NewDataSource(owner, "dtsCliente", qryCliente);
}
