#pragma once

#include <QStringList>

// The statements the contracting-client screen runs straight on the database
// (its lookups); the database's host role is granted what they read.
namespace ContratanteSql {

inline QStringList Cliente(const char* where) {
    return {"SELECT CDCLIENTE, IDTPIJURCLIE, NRINSJURCLIE, NMRAZSOCCLIE, NMFANTCLIE",
            "FROM CLIENTE", QString::fromLatin1(where)};
}

// Only active clients can become contracting clients.
inline QStringList ClientesAtivos() {
    return Cliente("WHERE IDCLIEATIV = 'S' ORDER BY NMRAZSOCCLIE");
}
inline QStringList ClientePorInscricao() {
    return Cliente("WHERE NRINSJURCLIE = :P_NRINSJURCLIE");
}
inline QStringList ClientePorCodigo() {
    return Cliente("WHERE CDCLIENTE = :P_CDCLIENTE");
}

// The companies allowed to bill the budget's branch.
inline QStringList Empresas() {
    return {"SELECT E.CDEMPRESA, E.NMRAZSOCEMP, E.NMFANTEMP", "FROM EMPRESA E",
            "JOIN EMPRESAFILIAL F ON F.CDEMPRESA = E.CDEMPRESA", "WHERE F.CDFILIAL = :P_CDFILIAL",
            "ORDER BY E.CDEMPRESA"};
}

inline QStringList All() {
    QStringList out;
    for (const QStringList& sql :
         {ClientesAtivos(), ClientePorInscricao(), ClientePorCodigo(), Empresas()})
        out << sql.join(u'\n');
    return out;
}

} // namespace ContratanteSql
