#pragma once

#include <QVariantList>

// Screen ORE09000, the contracting clients of a budget.
// Opens it application-modal for the parameters that LoadBPL passed and
// returns when it has closed; wrong parameters are refused with a sentence.
void CriaContratante(const QVariantList& params);
