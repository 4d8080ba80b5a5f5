#pragma once

#include <QString>

class TDataSource;

// Lets the operator tick any number of the rows of `source` (a closed query
// is opened first) and writes their `keyField` values into `list` as a list
// string (see ListString; empty when nothing is ticked). The rows whose key
// is already in `list` start ticked; keys of `list` that are not among the
// rows are dropped on OK. Cancelar leaves `list` as it was.
//
// `title` is "window title|text shown when there are no rows"; without the
// second part the text is "Não há registros para selecionar.".
// Returns true on OK.
// Kept: `flag`, which has no effect; screens pass it as false.
bool PesquisaLista(TDataSource* source, const QString& keyField, const QString& title, bool flag,
                   QString& list);
