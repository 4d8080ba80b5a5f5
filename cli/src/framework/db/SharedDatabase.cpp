#include "framework/db/SharedDatabase.h"

namespace {
// Set and read on the user-interface thread only, like every widget.
TDbConnection* g_shared = nullptr;
} // namespace

TDbConnection* SharedDatabase() {
    return g_shared;
}

void SetSharedDatabase(TDbConnection* db) {
    g_shared = db;
}
