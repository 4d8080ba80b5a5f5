#pragma once

#include "core/wire/RpcEnvelope.h"

#include <QString>

// What the filter dialog needs from the screen it filters for: the closing
// screen in the product, a fake in a test.
class IFiltroHost {
public:
    // The branch the screen holds now; the product pickers list its products.
    virtual QString BranchCode() const = 0;
    // The application server's reply to GetGerenteSup(code), as it came; an
    // empty code asks for every manager and supervisor.
    virtual TServerReply GetGerenteSup(const QString& code) = 0;
    // Lists the budgets that Filtro asks for. The confirmation runs it with
    // the dialog still on screen; what it throws ends the confirmation.
    virtual void RetrieveBudgets() = 0;

protected:
    ~IFiltroHost() = default;
};
