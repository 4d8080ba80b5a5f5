#pragma once

#include "core/data/DataSource.h"
#include "framework/db/AdoIbQuery.h"

class QObject;

// The budget-closing screen's own lookups, read straight from the business
// database: the branches, a typed branch, the clients offered as contracting
// client, and the two checks of a contracting client. Created as children of
// `owner` (the screen), named as designed, closed until the screen opens them.
class TFechaOrcaQueries {
public:
    explicit TFechaOrcaQueries(QObject* owner);
    TFechaOrcaQueries(const TFechaOrcaQueries&) = delete;
    TFechaOrcaQueries& operator=(const TFechaOrcaQueries&) = delete;

    TADOIBQuery* qryFilial = nullptr;       // every branch, by code
    TADOIBQuery* qryVdFilial = nullptr;     // one branch: P_CDFILIAL
    TADOIBQuery* qryCliente = nullptr;      // every client
    TADOIBQuery* qryPesqClie = nullptr;     // an active client by code or by registration
    TADOIBQuery* QryVdCliContrat = nullptr; // any client with a registration number

    TDataSource* dtsFilial = nullptr;  // shows qryFilial
    TDataSource* dtsCliente = nullptr; // shows qryCliente
};
