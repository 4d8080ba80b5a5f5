#pragma once

#include "core/db/CatalogSelect.h"
#include "core/db/SqlStatement.h"

#include <functional>
#include <optional>

// A SELECT's rows (`select.bare`) written into a packet straight from
// SQLite, row by row as they are read: each value taken as the engine holds
// it (texts as their UTF-8 bytes), with no QVariant, no UTF-16 copy and no
// row store between, for the values Qt's driver would give the same way; any
// other value goes through the QVariant the driver would have made, so that
// the packet is the same either way. `data` are the layout's data fields;
// `before` runs just before the statement does. A field the statement has no
// column for comes from the first of `select.joins` that has it, looked up by
// the code in the statement's columns BareCodeColumn.
//
// Answers nothing, having read nothing for the caller, when the statement is not
// one to read this way: it does not prepare, a parameter is missing, unknown or
// of a kind bound otherwise, a field has no column, or the engine fails a
// step; or when a catalogue cannot be read as its join would (a code that
// is not text, a lookup that fails or finds two rows). The caller then runs
// `select.sql` through TSqlStatement, which reports any fault as it always
// has. `select` must outlive the call.
std::optional<TDataPacket> SqlitePacket(TDbConnection& db, const TCatalogSelect& select,
                                        const TSqlParams& params, const TFieldDefs& data,
                                        const std::function<void()>& before);
