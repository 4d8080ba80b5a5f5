#pragma once

#include <QVariantList>

// Screen ORE06400, budget processing: the budget as the server reads it for processing, read only.
// Opens it application-modal for the parameters that LoadBPL passed and
// returns when it has closed; wrong parameters are refused with a sentence.
void CriaProcOrca(const QVariantList& params);
