#pragma once

#include <QString>

class TADOIBQuery;

// Prepares `query` to list the products that `branch` offers, for a product
// picker: leaf-level products only (parameter P_CDNVPRODUTO), of the branch
// (P_CDFILIAL), active ones only when `onlyActive`, and, when `text` is not
// blank, those whose name contains it ignoring case. Columns CDPRODUTO,
// CDARVPROD, NMPRODUTO, by CDARVPROD.
//
// The query is left closed with its statement set; the text's parameter is
// bound here, and the caller's BeforeOpen fills P_CDNVPRODUTO with
// DBPictObj(0).GetTtNiveis() and P_CDFILIAL with the branch.
//
// Returns what the picker shows instead of an empty list: "Informe a filial."
// for a blank branch, "Não há produto cadastrado para a filial B." when the
// branch offers no product (of the leaf level; active if asked); otherwise "".
// Throws EDbError when the database cannot be read.
QString SQL_Pesquisa_Produto(const QString& branch, const QString& text, TADOIBQuery* query,
                             bool onlyActive);
