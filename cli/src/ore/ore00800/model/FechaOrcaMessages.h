#pragma once

#include <QStringList>

// The budget-closing screen's message catalogue, "KEY|text" lines in order:
// its error and question texts, the budget situations "1" to "8" and the
// hall booking states "A" and "R".
QStringList FechaOrcaMessageLines();
