#pragma once

#include <QStringList>

// The statements the client-address screen runs straight on the database;
// the database's host role is granted what they read.
namespace EndeClieSql {

inline QStringList Paises() {
    return {"SELECT CDPAIS AS CODIGO, NMPAIS AS NOME FROM PAIS", "ORDER BY NMPAIS"};
}
inline QStringList Estados() {
    return {"SELECT SGESTADO AS CODIGO, NMESTADO AS NOME FROM ESTADO",
            "WHERE CDPAIS = :P_CDPAIS ORDER BY NMESTADO"};
}
inline QStringList Municipios() {
    return {"SELECT CDMUNICIPIO AS CODIGO, NMMUNICIPIO AS NOME FROM MUNICIPIO",
            "WHERE CDPAIS = :P_CDPAIS AND SGESTADO = :P_SGESTADO", "ORDER BY NMMUNICIPIO"};
}
// Whether the budget exists: only its key is read.
inline QStringList Orcamento() {
    return {"SELECT NRORCAEVENTO FROM ORCAEVENTO", "WHERE CDFILIAL = :P_CDFILIAL",
            "AND NRORCAEVENTO = :P_NRORCAEVENTO", "AND NRSEQORCAEVE = :P_NRSEQORCAEVE"};
}

inline QStringList All() {
    QStringList out;
    for (const QStringList& sql : {Paises(), Estados(), Municipios(), Orcamento()})
        out << sql.join(u'\n');
    return out;
}

} // namespace EndeClieSql
