#pragma once

#include "core/data/FieldDef.h"

// Layouts of the screen's smaller record sets: the operator's rights, screen
// parameters, the results of the closing checks, and the address and contacts
// of a client registered during a closing.

TFieldDefs LayoutOperControle();      // cdsOperControle: the operator's process rights
TFieldDefs LayoutParamControle();     // cdsParamControle: the same procedures as parameters
TFieldDefs LayoutParamOrca();         // cdsParamOrca: budget parameters
TFieldDefs LayoutExisteContratante(); // cdsExisteContratante: contracting clients
TFieldDefs LayoutVerifOrcaFecha();    // cdsVerifOrcaFecha: related budgets not closed
TFieldDefs LayoutEndeNovoClie();      // cdsEndeNovoClie: address of a new client
TFieldDefs LayoutInteclieOrev();      // cdsInteclieOrev: contacts of a new client
TFieldDefs LayoutErro();              // cdsErro: never filled here
TFieldDefs LayoutProdSemDep();        // cdsProdSemDep: never filled here
