#pragma once

#include <QString>

class TDataSet;

// What grids, navigators and lookups do to a data set on the operator's
// behalf, kept in one place so that they all do it alike.

// The question asked before deleting a record.
QString DeleteRecordQuestion();

// Deletes the current record, asking first (through the dialogs service)
// when `confirm`; "Não" ends the action silently (EAbort).
void DeleteCurrentRecord(TDataSet& dataSet, bool confirm);

// Reads the rows again: a query is closed and opened, back on the record
// number it was on when that is still there. Other data sets have nowhere
// to read from and stay as they are.
void RefreshDataSet(TDataSet& dataSet);
// Whether RefreshDataSet can read the rows again.
bool CanRefresh(const TDataSet& dataSet);

// Whether records can be inserted, edited and deleted: queries are read-only.
bool CanModify(const TDataSet& dataSet);

// Opens a closed query, so that a lookup over it shows its rows.
void OpenIfClosed(TDataSet& dataSet);

// True when no field of the current record has a value (an inserted record
// the operator has not touched).
bool CurrentRecordBlank(const TDataSet& dataSet);
