#include "tests/support/QtPrinters.h"

#include "ore/ore00800/model/Filtro.h"
#include "ore/ore00800/model/FiltroModuleState.h"

#include <gtest/gtest.h>

namespace {

struct ModuleState {
    TfrmFiltroFechaOrca* frm;
    bool boIdCriado, boPesqLista;
    QString stVendedor, stCliente, stMaoObra, stProduto, stTipoEven, stTipoServ;
};

ModuleState CurrentState() {
    return {frmFiltroFechaOrca, boIdCriado, boPesqLista, stVendedor, stCliente,
            stMaoObra,          stProduto,  stTipoEven,  stTipoServ};
}

// Taken while this executable starts, before any test touches the globals.
const ModuleState StartState = CurrentState();
const TFiltro FiltroAtStart = Filtro;

void Scribble(TFiltro& f) {
    f.NrOrca = {"1", "9"};
    f.DtEven = {45000, 45010};
    f.DtVali = {45100, 45110};
    f.CdVend = {false, "'0001','0002'"};
    f.CdClie = {false, "C1"};
    f.CdServ = {false, "S1"};
    f.CdEven = {false, "E1"};
    f.CdProd = {false, "P1"};
    f.CdObra = {false, "M1"};
    f.IdSitu = "123";
    f.NmNovoClie = "Maria";
    f.DsTitulo = "Formatura";
    f.CdGerenteSup = "0007";
    f.NmGerenteSup = "Carlos";
}

void ScribbleModule() {
    boIdCriado = true;
    boPesqLista = true;
    stVendedor = "V";
    stCliente = "C";
    stMaoObra = "M";
    stProduto = "P";
    stTipoEven = "E";
    stTipoServ = "S";
}

TEST(Filtro, StartsZeroedUntilTheScreenSetsItsDefaults) {
    EXPECT_EQ(FiltroAtStart, TFiltro{});
}

TEST(Filtro, DefaultsReplaceEveryMember) {
    TFiltro f;
    Scribble(f);
    SetFiltroDefaults(f);

    // No ranges, no names, no lists, every "all" on, approved budgets only.
    TFiltro expected;
    for (bool* todos :
         {&expected.CdVend.boTodos, &expected.CdClie.boTodos, &expected.CdServ.boTodos,
          &expected.CdEven.boTodos, &expected.CdProd.boTodos, &expected.CdObra.boTodos})
        *todos = true;
    expected.IdSitu = "2";
    EXPECT_EQ(f, expected);
}

TEST(FiltroModuleState, StartValues) {
    EXPECT_EQ(StartState.frm, nullptr);
    EXPECT_FALSE(StartState.boIdCriado);
    EXPECT_FALSE(StartState.boPesqLista);
    for (const QString* s : {&StartState.stVendedor, &StartState.stCliente, &StartState.stMaoObra,
                             &StartState.stProduto, &StartState.stTipoEven, &StartState.stTipoServ})
        EXPECT_TRUE(s->isEmpty());
}

TEST(FiltroModuleState, InitialisationClearsFlagsAndFiveLists) {
    ScribbleModule();
    InitializeCli_ore00801();
    const ModuleState s = CurrentState();
    EXPECT_FALSE(s.boIdCriado);
    EXPECT_FALSE(s.boPesqLista);
    EXPECT_TRUE(s.stVendedor.isEmpty());
    EXPECT_TRUE(s.stCliente.isEmpty());
    EXPECT_TRUE(s.stProduto.isEmpty());
    EXPECT_TRUE(s.stTipoEven.isEmpty());
    EXPECT_TRUE(s.stTipoServ.isEmpty());
    // The labour list is not among those the unit resets at start.
    EXPECT_EQ(s.stMaoObra, "M");
    FinalizeCli_ore00801();
}

TEST(FiltroModuleState, FinalisationReleasesAllSixLists) {
    ScribbleModule();
    FinalizeCli_ore00801();
    for (const QString* s :
         {&stVendedor, &stCliente, &stMaoObra, &stProduto, &stTipoEven, &stTipoServ})
        EXPECT_TRUE(s->isNull());
    // Flags are not the finalisation's business.
    EXPECT_TRUE(boIdCriado);
    EXPECT_TRUE(boPesqLista);
    InitializeCli_ore00801();
    EXPECT_FALSE(boIdCriado);
}

} // namespace
