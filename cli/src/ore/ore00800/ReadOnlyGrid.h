#pragma once

#include <QString>

class QTableView;
class QWidget;
class TDataSource;

// A read-only grid over a data source whose current row follows the data
// set's current record both ways. Stands in for the framework's data-aware
// grid: screens get their grids only from here, so swapping is one place.
QTableView* CreateReadOnlyGrid(const QString& name, TDataSource* source, QWidget* parent);
