#pragma once

#include "core/data/DataSource.h"
#include "framework/db/AdoIbQuery.h"

class QObject;

// The filter dialog's lookups that fill its list criteria: sellers,
// customers with their main address, products (also for labour), event types
// and service types. Created as children of `owner` (the dialog), named as
// designed, closed until a search opens them.
class TFiltroQueries {
public:
    explicit TFiltroQueries(QObject* owner);
    TFiltroQueries(const TFiltroQueries&) = delete;
    TFiltroQueries& operator=(const TFiltroQueries&) = delete;

    TADOIBQuery* qryVendedor = nullptr;
    TADOIBQuery* qryCliente = nullptr;
    // Its statement is replaced per branch before a search; the dialog's
    // before-open handler fills whichever parameters the statement has.
    TADOIBQuery* qryProduto = nullptr;
    TADOIBQuery* qryTipoEven = nullptr;
    TADOIBQuery* qryTipoServ = nullptr;

    TDataSource* dtsVendedor = nullptr;
    TDataSource* dtsCliente = nullptr;
    TDataSource* dtsProduto = nullptr;
    TDataSource* dtsTipoEven = nullptr;
    TDataSource* dtsTipoServ = nullptr;
};
