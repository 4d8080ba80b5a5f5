#pragma once

class TDbConnection;

// The host's shared connection to the business database: the one that
// screens' queries and the framework's own tables use. The host sets it when
// the session starts and clears it when the session ends; null until then.
TDbConnection* SharedDatabase();
void SetSharedDatabase(TDbConnection* db);
