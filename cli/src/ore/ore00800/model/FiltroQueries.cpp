#include "ore/ore00800/model/FiltroQueries.h"

#include "framework/db/NamedQuery.h"

TFiltroQueries::TFiltroQueries(QObject* owner) {
    qryVendedor = NewQuery(owner, "qryVendedor",
                           {
                               StrField("CDVENDEDOR", 4).Label("Código").Required(),
                               StrField("NMFANVEN", 50).Label("Nome"),
                           },
                           {"SELECT", "   CDVENDEDOR,", "   NMFANVEN", "FROM", "   VENDEDOR",
                            "ORDER BY", "   CDVENDEDOR"});

    qryCliente = NewQuery(owner, "qryCliente",
                          {
                              StrField("CDCLIENTE", 21).Required().Hidden(),
                              StrField("IDTPIJURCLIE", 1).Hidden(),
                              StrField("NRINSJURCLIE", 20).Label("Nr. Inscrição"),
                              StrField("NMFANTCLIE", 50).Label("Nome"),
                              StrField("NMRAZSOCCLIE", 50).Label("Razão Social"),
                              StrField("NMPAIS", 30).Label("País"),
                              StrField("SGESTADO", 2).Label("Estado").Required(),
                              StrField("NMMUNICIPIO", 30).Label("Municipio"),
                              StrField("DSENDECLIE", 50).Label("Endereço"),
                          },
                          {
                              "SELECT",
                              "   C.CDCLIENTE , C.IDTPIJURCLIE, C.NRINSJURCLIE,",
                              "   C.NMFANTCLIE, C.NMRAZSOCCLIE, P.NMPAIS, ",
                              "   M.SGESTADO  , M.NMMUNICIPIO , E.DSENDECLIE ",
                              "FROM",
                              "   CLIENTE C, PAIS P, ",
                              "   MUNICIPIO M, ENDECLIE E",
                              "WHERE ",
                              "   (C.CDCLIENTE   = E.CDCLIENTE  ) AND",
                              "   (E.CDPAIS      = M.CDPAIS     ) AND",
                              "   (E.SGESTADO    = M.SGESTADO   ) AND",
                              "   (E.CDMUNICIPIO = M.CDMUNICIPIO) AND",
                              "   (M.CDPAIS      = P.CDPAIS     ) AND",
                              "   (IDTPENDECLIE  = 'P')",
                              "ORDER BY",
                              "   NRINSJURCLIE",
                          });

    qryProduto = NewQuery(owner, "qryProduto",
                          {
                              StrField("CDARVPROD", 20).Label("Código").Width(20),
                              StrField("NMPRODUTO", 50).Label("Nome"),
                              StrField("CDPRODUTO", 10).Hidden(),
                          },
                          {"SELECT", "   CDPRODUTO,", "   CDARVPROD,", "   NMPRODUTO", "FROM",
                           "   PRODUTO", "ORDER BY", "   CDARVPROD"});

    qryTipoEven = NewQuery(
        owner, "qryTipoEven",
        {
            StrField("CDTIPOEVENTO", 3).Label("Código"),
            StrField("NMTIPOEVENTO", 30).Label("Nome"),
        },
        {"SELECT CDTIPOEVENTO, NMTIPOEVENTO", "FROM TIPOEVENTO", "ORDER BY CDTIPOEVENTO", " "});

    qryTipoServ = NewQuery(
        owner, "qryTipoServ",
        {
            StrField("CDTPSERVEVEN", 3).Label("Código"),
            StrField("NMTPSERVEVEN", 30).Label("Nome"),
        },
        {"SELECT CDTPSERVEVEN, NMTPSERVEVEN", "FROM TIPOSERVEVEN", "ORDER BY CDTPSERVEVEN"});

    dtsVendedor = NewDataSource(owner, "dtsVendedor", qryVendedor);
    dtsCliente = NewDataSource(owner, "dtsCliente", qryCliente);
    dtsProduto = NewDataSource(owner, "dtsProduto", qryProduto);
    dtsTipoEven = NewDataSource(owner, "dtsTipoEven", qryTipoEven);
    dtsTipoServ = NewDataSource(owner, "dtsTipoServ", qryTipoServ);
}
