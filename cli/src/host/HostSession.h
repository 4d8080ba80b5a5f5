#pragma once

#include "framework/services/Session.h"
#include "host/HostOptions.h"

class TDbConnection;

// The session the options describe. The branch's name is read from FILIAL on
// `db`; a branch the database does not have is an EUsage.
TSessionInfo SessionFromOptions(const THostOptions& options, TDbConnection* db);
