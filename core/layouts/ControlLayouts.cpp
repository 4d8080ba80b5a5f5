#include "core/layouts/ControlLayouts.h"

TFieldDefs LayoutOperControle() {
    return {
        StrField("CDOPERADOR", 12),
        StrField("CDPROCHABLANOPE", 30),
        StrField("CDPROCHABAPROPE", 30),
        StrField("CDPROCHABFECOPE", 30),
    };
}

TFieldDefs LayoutParamControle() {
    return {
        StrField("CDPROCHABLANORE", 30),
        StrField("CDPROCHABAPRORE", 30),
        StrField("CDPROCHABFECORE", 30),
    };
}

TFieldDefs LayoutParamOrca() {
    return {
        StrField("IDORIGPRUNITORE", 1),
    };
}

TFieldDefs LayoutExisteContratante() {
    return {
        StrField("CDCLIENCONTORCA", 21),
        StrField("IDSITUCONTOREV", 10),
        FloatField("VRRECECONTOREV"),
    };
}

TFieldDefs LayoutVerifOrcaFecha() {
    return {
        StrField("NRORCAEVENTO", 10).Label("Nr. Orçamento").NoUpdate(),
    };
}

TFieldDefs LayoutEndeNovoClie() {
    return {
        StrField("CDFILIAL", 4),      StrField("NRORCAEVENTO", 10),  StrField("NRSEQORCAEVE", 2),
        StrField("NRINSJURORCA", 20), StrField("IDTPINJUORCA", 1),   StrField("CDPAIS", 4),
        StrField("SGESTADO", 2),      StrField("CDMUNICIPIO", 4),    StrField("DSENDECLIORE", 50),
        StrField("NMBAIRCLIORE", 30), StrField("DSCOENDCLORE", 200), StrField("NRCEPCLIEORE", 15),
        StrField("NRTELEXCLIOR", 25), StrField("NRRAMACLIORE", 4),   StrField("NRTELECLIORE", 25),
        StrField("NRFAXCLIEORE", 25), StrField("NMCONTCLIORE", 30),  StrField("NRTELECLIOR1", 25),
        StrField("NRRAMACLIOR1", 4),  StrField("CDBAIRRO", 10),      StrField("NRCELCLIORE1", 25),
        StrField("NRTELERESOR1", 25), MemoField("DSPTOREFEORE"),     StrField("DSEMAILCLOR1", 50),
        StrField("DSEMAILCLOR2", 50), StrField("NMPAIS", 30),        StrField("NMMUNICIPIO", 30),
        StrField("NMRAZSOCCLIE", 50), StrField("NMFANTCLIE", 50),
    };
}

TFieldDefs LayoutInteclieOrev() {
    return {
        StrField("NRORCAEVENTO", 10),    StrField("CDFILIAL", 4),
        StrField("NRSEQORCAEVE", 2),     StrField("CDINTECLIEOREV", 2),
        StrField("NMINTECLIEOREV", 50),  StrField("DSCARGINCLOREV", 30),
        StrField("IDTPINTECLOREV", 1),   StrField("CDPAIS", 4),
        StrField("SGESTADO", 2),         StrField("CDMUNICIPIO", 4),
        DateField("DTNASCINCLOREV"),     StrField("NRTEL1INCLOREV", 25),
        StrField("NRRAM1INCLOREV", 4),   StrField("NRTEL2INCLOREV", 25),
        StrField("NRRAM2INCLOREV", 4),   StrField("NRFAXINCLOREV", 25),
        StrField("IDENDEINCLOREV", 1),   StrField("DSENDEINCLOREV", 50),
        StrField("NMBAIRINCLOREV", 30),  StrField("NRCEPINCLOREV", 15),
        StrField("DSEMAILICLOREV", 50),  StrField("NRCELULINCLOREV", 25),
        StrField("NRTELREINCLOREV", 25),
    };
}

TFieldDefs LayoutErro() {
    return {
        StrField("CDTABELA", 20).Label("Tabela"),
        StrField("CDERRO", 500).Label("Erro"),
    };
}

TFieldDefs LayoutProdSemDep() {
    return {
        StrField("CDPRODUTO", 10).Hidden(),
        // Its edit mask is the session's product-code mask, set when the screen is created.
        StrField("CDARVPROD", 20).Label("Código"),
        StrField("NMPRODUTO", 50).Label("Nome do Produto"),
        StrField("CDDEPTPEDORC", 3).Hidden(),
        StrField("CDFILIPEDORC", 4).Hidden(),
    };
}
