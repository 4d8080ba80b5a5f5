#include "core/layouts/OrcaLayouts.h"

// One line per field, in packet order. Hidden() is for fields a grid without
// explicit columns must not show; NoUpdate() for fields the server neither
// writes back nor uses to find the row.

TFieldDefs LayoutOrcaEvento() {
    return {
        StrField("CDFORMPGTO", 2).Hidden(),
        StrField("NMFORMPGTO", 30).Hidden(),
        StrField("IDTPFORMPGTOREV", 1).Hidden(),
        FloatField("NRDIAPGTOREV").Hidden(),
        FloatField("QTPARCPGTOREV").Hidden(),
        StrField("IDMESINIPGTOREV", 1).Hidden(),
        StrField("IDMARCADO", 1).Label("3").Hidden().NoUpdate(),
        StrField("CDFILIAL", 4).Hidden().NoUpdate(),
        StrField("NRORCAEVENTO", 10).Label("Nr. Orçamento").NoUpdate(),
        StrField("NRSEQORCAEVE", 2).Fixed().Label("Seq.").NoUpdate(),
        StrField("DSCLIENTEORCA", 60).Calculated().Label("Cliente").NoUpdate(),
        StrField("NMFANTCLIE", 50).Label("Cliente").NoUpdate(),
        StrField("NMCLIEORCEVE", 50).Label("Novo Cliente").NoUpdate(),
        StrField("NMTPSERVEVEN", 30).Label("Tipo de Serviço").NoUpdate(),
        StrField("NMTIPOEVENTO", 30).Label("Tipo do Evento").NoUpdate(),
        StrField("CDALTEORCEVE", 30).Hidden().NoUpdate(),
        DateField("DTINCLORCEVE").Hidden().NoUpdate(),
        StrField("CDOPEINCOREV", 12).Hidden().NoUpdate(),
        StrField("CDVENDEDOR", 4).Hidden().NoUpdate(),
        StrField("CDTIPOEVENTO", 3).Hidden().NoUpdate(),
        StrField("CDTPSERVEVEN", 3).Hidden().NoUpdate(),
        StrField("CDCLIENTE", 21).Hidden().NoUpdate(),
        StrField("IDSITCLIOREV", 1).Hidden().NoUpdate(),
        DateField("DTVALIORCEVE").Hidden().NoUpdate(),
        StrField("DSTITUORCEVE", 100).Hidden().NoUpdate(),
        FloatField("QTCONVORCEVE").Hidden().NoUpdate(),
        FloatField("QTADULORCEVE").Hidden().NoUpdate(),
        FloatField("QTCRIAORCEVE").Hidden().NoUpdate(),
        DateField("DTEVENTO").Hidden().NoUpdate(),
        FloatField("QTHREVENTO").Hidden().NoUpdate(),
        StrField("IDSITUORCEVE", 1).Label("Situação").Hidden().NoUpdate(),
        StrField("IDENDENTOREV", 1).Hidden().NoUpdate(),
        StrField("CDPAIS", 4).Hidden().NoUpdate(),
        StrField("SGESTADO", 2).Hidden().NoUpdate(),
        StrField("CDMUNICIPIO", 4).Hidden().NoUpdate(),
        StrField("CDBAIRRO", 10).Hidden().NoUpdate(),
        StrField("DSENDENTOREV", 50).Hidden().NoUpdate(),
        StrField("NMBAIENTOREV", 30).Hidden().NoUpdate(),
        FloatField("VRDESCORCEVE").Hidden().NoUpdate(),
        StrField("CDMODPGTO", 5).Hidden().NoUpdate(),
        StrField("CDPRECOBASE", 2).Hidden().NoUpdate(),
        StrField("CDESCOLA", 10).Hidden().NoUpdate(),
        StrField("CDCURSO", 4).Hidden().NoUpdate(),
        StrField("CDPREBAMOBRA", 2).Hidden().NoUpdate(),
        StrField("NMFILIAL", 30).Hidden().NoUpdate(),
        StrField("NRINSJURCLIE", 20).Hidden().NoUpdate(),
        StrField("NMRAZSOCCLIE", 50).Hidden().NoUpdate(),
        StrField("NMFANVEN", 50).Hidden().NoUpdate(),
        StrField("NMRAZSOCVEN", 50).Hidden().NoUpdate(),
        StrField("NMOPERADOR", 40).Hidden().NoUpdate(),
        StrField("NMPAIS", 30).Hidden().NoUpdate(),
        StrField("NMMUNICIPIO", 30).Hidden().NoUpdate(),
        StrField("NMESCOLA", 40).Hidden().NoUpdate(),
        StrField("NMCURSO", 60).Hidden().NoUpdate(),
        StrField("DSPRECOBASE", 30).Hidden().NoUpdate(),
        StrField("DSMODPGTO", 100).Hidden().NoUpdate(),
        StrField("DSPREMAOOBRA", 30).Hidden().NoUpdate(),
        StrField("DSORCAEVEN", 60).Calculated().Hidden().NoUpdate(),
        StrField("IDTPIJURCLIE", 1).Hidden().NoUpdate(),
        StrField("IDTPORCAEVEN", 1).Fixed().Hidden().NoUpdate(),
        StrField("IDTPPGTOOREV", 1).Hidden().NoUpdate(),
        StrField("CDCLICONTORC", 21).Hidden().NoUpdate(),
        StrField("NRINSJURCONT", 20).Hidden().NoUpdate(),
        StrField("IDTPIJURCONT", 1).Hidden().NoUpdate(),
        StrField("NMFANTCONT", 50).Hidden().NoUpdate(),
        StrField("DSREFENDOREV", 50).Hidden().NoUpdate(),
        FloatField("VRPEACREOREV").Hidden().NoUpdate(),
        StrField("CDTPRECEOREV", 2).Hidden().NoUpdate(),
        StrField("NMTPRECEOREV", 50).Hidden().NoUpdate(),
        FloatField("VRPEREALOREV").Hidden(),
        StrField("DSCOMPENDORCEVE", 200).Label("Complemento").Hidden(),
        FloatField("VRTOTALOREV").Hidden().NoUpdate(),
        StrField("CDSUPVENDEDOR", 4).Hidden(),
        StrField("NMFANSUP", 50).Hidden(),
        StrField("CDGERVENDEDOR", 4).Hidden(),
        StrField("NMFANGER", 50).Hidden(),
        StrField("IDORCAFILHODISTRATO", 1).Hidden(),
    };
}

TFieldDefs LayoutItemOrcaEven() {
    return {
        StrField("CDFILIAL", 4),
        StrField("NRORCAEVENTO", 10),
        StrField("NRITEMORCEVE", 10).Hidden(),
        StrField("CDPRODUTO", 10),
        FloatField("QTITEMORCEVE").Format("#,##0.000"),
        FloatField("VRITEMORCEVE").Format("#,##0.00"),
        FloatField("VRDESCITOREV").Label("Vr. Desc.").Format("#,##0.00"),
        FloatField("VRACREITOREV").Label("Vr. Acres.").Format("#,##0.00"),
        StrField("IDITOREVPROD", 1),
        StrField("NROPCAITOREV", 2),
        StrField("CDGRTOTAPROD", 3),
        StrField("CDARVPROD", 20),
        StrField("NMPRODUTO", 50),
        StrField("SGUNIDADE", 10),
        FloatField("VRTOTALITEM").Calculated().Format("#,##0.00"),
        StrField("NRINSJURFORN", 20),
        StrField("NMFANTFORN", 40),
        StrField("NMRAZSOCFORN", 40).Hidden(),
        StrField("IDTPIJURFORN", 1).Hidden(),
        StrField("NRSEQORCAEVE", 2).Hidden(),
        FloatField("VRPGFORNOREV").Label("Vr. Fornecedor"),
        DateField("DTPGFORNOREV").Label("Dt. Pg. Forne."),
        StrField("IDFATUITEMOREV", 1).Label("Faturar"),
        StrField("IDCUSTOFIXO", 1),
    };
}

TFieldDefs LayoutTotalOrca() {
    return {
        StrField("CDFILIAL", 4),
        StrField("NRORCAEVENTO", 10),
        StrField("NRSEQORCAEVE", 2).Fixed(),
        FloatField("TOTALIQUIDO"),
        FloatField("VRTOTALOREV"),
        FloatField("VRTOTAITEM"),
        FloatField("VRTOTALMAO"),
        FloatField("VRSALAORCEVE"),
        FloatField("VRDESCORCEVE"),
        FloatField("VRACREORCEVE"),
    };
}

TFieldDefs LayoutItMaoObra() {
    return {
        StrField("CDFILIAL", 4),
        StrField("NRORCAEVENTO", 10),
        StrField("NRTURNO", 2),
        StrField("CDPRODUTO", 10),
        FloatField("QTPRODMOBRA").Format("#,##0.000"),
        FloatField("VRCOBRMOBRA").Format("#,##0.00"),
        FloatField("VRPAGOMOBRA").Format("#,##0.00"),
        StrField("CDARVPROD", 20),
        StrField("SGUNIDADE", 10),
        StrField("NMPRODUTO", 50),
        StrField("DSTURNO", 20),
        StrField("CDGRTOTAPROD", 3),
        StrField("NRSEQORCAEVE", 2).Hidden(),
        StrField("IDMOBRAEXTRA", 1),
    };
}

TFieldDefs LayoutObsExtOrcaEv() {
    return {
        StrField("CDFILIAL", 4),
        StrField("NRORCAEVENTO", 10),
        StrField("NRSEQORCAEVE", 2),
        BlobField("TXOBSEXTOREV"),
    };
}

TFieldDefs LayoutObsIntOrcaEv() {
    return {
        StrField("CDFILIAL", 4), StrField("NRORCAEVENTO", 10), StrField("CDDEPTO", 3),
        StrField("NMDEPTO", 30), BlobField("TXOBSINTOREV"),    StrField("NRSEQORCAEVE", 2).Hidden(),
    };
}

TFieldDefs LayoutPrazoPgto() {
    return {
        // Its edit mask is the session's date mask, set when the screen is created.
        DateField("DTVENCPARCOREV").Label("Vencimento"),
        FloatField("VRPARCELAOREV").Label("Valor").Format("#,##0.00"),
        StrField("DSOBSPARCOREV", 50).Label("Observação"),
        StrField("CDFILIAL", 4),
        StrField("NRORCAEVENTO", 10),
        StrField("NRSEQORCAEVE", 2),
        FloatField("QTDIASPGTOREV"),
        // "%" is a literal here, so editing shows the same number without it.
        FloatField("VRPERCPGTOREV").Format("#0.00 %").EditFormat("#0.00"),
    };
}

TFieldDefs LayoutSalaoEven() {
    return {
        StrField("CDSALAOEVEN", 3),  StrField("NMSALAOEVEN", 50), StrField("IDSITAGENSAL", 1),
        StrField("NRRESERSALAO", 2), DateField("DTVALRESESAL"),
    };
}

TFieldDefs LayoutTotalGrupo() {
    return {
        StrField("CDFILIAL", 4),
        StrField("NRORCAEVENTO", 10),
        StrField("CDGRTOTAPROD", 3),
        FloatField("VRTOTALGRUPO").Format("#,##0.00"),
    };
}

TFieldDefs LayoutTotalOpcao() {
    return {
        StrField("CDFILIAL", 4),
        StrField("NRORCAEVENTO", 10),
        StrField("NROPCAITOREV", 2),
        FloatField("VRTOTALOPCAO").Format("#,##0.00"),
    };
}
