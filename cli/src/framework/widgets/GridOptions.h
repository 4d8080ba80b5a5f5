#pragma once

#include <QFlags>

// What a TDBGrid shows and lets the operator do.
enum class TGridOption {
    Titles = 0x001,              // column titles
    Indicator = 0x002,           // a narrow column marking the current row
    ColLines = 0x004,            // lines between columns
    RowLines = 0x008,            // lines between rows
    Tabs = 0x010,                // Tab moves between cells instead of leaving the grid
    RowSelect = 0x020,           // the whole row is selected
    Editing = 0x040,             // cells can be edited; Ctrl+Del deletes the record
    ConfirmDelete = 0x080,       // Ctrl+Del asks first
    CancelOnExit = 0x100,        // leaving the grid drops an untouched inserted record
    AlwaysShowSelection = 0x200, // the selection shows without the focus too
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

inline constexpr TGridOptions DefaultGridOptions =
    TGridOptions(TGridOption::Titles) | TGridOption::Indicator | TGridOption::ColLines |
    TGridOption::RowLines | TGridOption::Tabs | TGridOption::Editing | TGridOption::ConfirmDelete |
    TGridOption::CancelOnExit;
