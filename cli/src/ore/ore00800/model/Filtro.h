#pragma once

#include <QString>

// The retrieval criteria that the filter dialog hands to the closing screen.
// Dates are OLE Automation date-times, zero for none. A list string holds the
// codes picked in a picker as the picker writes them; empty means nothing was
// picked. Nobody looks inside it but to test whether it is blank.

struct TNrOrcaEven {
    QString stDe;
    QString stAte;
    bool operator==(const TNrOrcaEven&) const = default;
};

struct TDtEvento {
    double dtDe = 0;
    double dtAte = 0;
    bool operator==(const TDtEvento&) const = default;
};

struct TDtValidade {
    double dtDe = 0;
    double dtAte = 0;
    bool operator==(const TDtValidade&) const = default;
};

struct TVendedor {
    bool boTodos = false;
    QString stVend;
    bool operator==(const TVendedor&) const = default;
};

struct TCliente {
    bool boTodos = false;
    QString stClie;
    bool operator==(const TCliente&) const = default;
};

struct TTipoServ {
    bool boTodos = false;
    QString stTpServ;
    bool operator==(const TTipoServ&) const = default;
};

struct TTipoEven {
    bool boTodos = false;
    QString stTpEven;
    bool operator==(const TTipoEven&) const = default;
};

struct TProduto {
    bool boTodos = false;
    QString stProd;
    bool operator==(const TProduto&) const = default;
};

struct TMaoObra {
    bool boTodos = false;
    QString stObra;
    bool operator==(const TMaoObra&) const = default;
};

struct TFiltro {
    TNrOrcaEven NrOrca; // budget number range; both empty for none
    TDtEvento DtEven;
    TDtValidade DtVali;
    TVendedor CdVend;
    TCliente CdClie;
    TTipoServ CdServ;
    TTipoEven CdEven;
    TProduto CdProd;
    TMaoObra CdObra; // labour, picked among the products
    QString IdSitu;  // situation digits wanted, e.g. "23"
    QString NmNovoClie;
    QString DsTitulo;
    QString CdGerenteSup; // manager or supervisor seller, 4 characters, or empty
    QString NmGerenteSup;
    bool operator==(const TFiltro&) const = default;
};

// The criteria the closing screen starts with: no ranges, everything, and
// approved budgets only (situation "2").
void SetFiltroDefaults(TFiltro& filtro);

// The one criteria record, shared by the closing screen and its filter dialog.
extern TFiltro Filtro;
