#pragma once

#include <QString>

// A grid column declared by a screen (TDBGrid::TColumn; the data layer's
// TColumn is a storage column). Unset parts come from the field:
// the title from its label, the width from its display width or size, the
// alignment from its kind (numbers to the right).
struct TGridColumn {
    QString FieldName;
    QString Title;
    int Width = 0; // pixels; 0: from the field
    Qt::Alignment Alignment = {};
    bool Visible = true;
};
