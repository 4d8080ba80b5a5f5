#pragma once

#include <QStringList>

// The filter dialog's message catalogue, "KEY|text" lines in order: its
// validation texts, the pickers' titles and empty-list texts, and lines that
// the catalogue carries for other filters of the family.
QStringList FiltroMessageLines();
