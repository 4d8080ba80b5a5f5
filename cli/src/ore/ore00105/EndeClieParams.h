#pragma once

#include "ore/ore00105/EndeClieDados.h"

#include <QVariantList>

class TRecordSet;

// The six parameters of the screen, checked: the budget's key (three
// strings), true (the caller asks for a new client's registration), and the
// handles of the caller's data sources of the new client's address and of
// its contacts.
struct TEndeClieParams {
    TChaveOrca chave;
    TRecordSet* endeNovoClie = nullptr;
    TRecordSet* inteclieOrev = nullptr;
};

// Throws Exception with a sentence for a wrong count or kind, a false
// Boolean, a stale handle, a handle of a source that is not the one meant,
// and a budget the database does not have (read on the shared connection).
TEndeClieParams LeParametrosEndeClie(const QVariantList& params);
