#pragma once

#include <QVariantList>

// Screen ORE00105, the address and registration of a new client.
// Opens it application-modal for the parameters that LoadBPL passed and
// returns when it has closed; wrong parameters are refused with a sentence.
void CriaEndeClie(const QVariantList& params);
