#pragma once

#include "core/data/FieldDef.h"

// Layouts of the record sets that hold the listed budgets and their details.
// They are also the layouts of the server's packets: names, kinds, sizes and
// order must match what the application server sends.

TFieldDefs LayoutOrcaEvento();   // cdsOrcaEvento: one row per listed budget
TFieldDefs LayoutItemOrcaEven(); // cdsItemOrcaEven: items of all listed budgets
TFieldDefs LayoutTotalOrca();    // cdsTotalOrca: totals of a budget
TFieldDefs LayoutItMaoObra();    // cdsItMaoObra and its copy cdsItMaoObraAux
TFieldDefs LayoutObsExtOrcaEv(); // cdsObsExtOrcaEv: external observation
TFieldDefs LayoutObsIntOrcaEv(); // cdsObsIntOrcaEv: internal observations per department
TFieldDefs LayoutPrazoPgto();    // cdsPrazoPgto: instalments of the current budget
TFieldDefs LayoutSalaoEven();    // cdsSalaoEven: halls of the current budget
TFieldDefs LayoutTotalGrupo();   // cdsTotalGrupo: never filled here
TFieldDefs LayoutTotalOpcao();   // cdsTotalOpcao: never filled here
