#pragma once

#include "framework/widgets/SearchWindow.h"

// The lookup button's window: the rows of a data source to pick one from.
// It starts on the data set's current record and never moves the data set
// itself: whoever opened it reads SelectedRecNo after OK.
class TfrmPesquisa : public TSearchWindow {
    Q_OBJECT
public:
    TfrmPesquisa(TDataSource* source, const QString& title, QWidget* parent = nullptr);

    // The record number (1-based) of the row picked; 0 when none.
    int SelectedRecNo() const;
};
