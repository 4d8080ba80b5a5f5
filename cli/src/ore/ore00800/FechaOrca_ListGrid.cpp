// The budget list's drawing: a column bound to the closing mark shows it as
// a check picture.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/Field.h"
#include "framework/widgets/DBGrid.h"
#include "ore/ore00800/CheckImages.h"
#include "ore/ore00800/PictureBox.h"

#include <QPainter>

void TfrmFechaOrca::BuildListGridDrawing() {
    dbgPadrao->OnDrawColumnCell = [this](QPainter& painter, const QRect& rect, TField& field,
                                         const TGridColumn& column, QStyle::State state) {
        // The column's own binding counts, in its exact case.
        if (column.FieldName != u"IDMARCADO") {
            dbgPadrao->DefaultDrawColumnCell(painter, rect, field, column, state);
            return;
        }
        const QString mark = field.AsString();
        const TPictureBox* picture = nullptr;
        if (mark == u"N")
            picture = imgUncheck;
        else if (mark == u"S")
            picture = imgCheck;
        else if (mark.isEmpty())
            picture = imgDescheck;
        // The brush the grid filled the cell with, selected or not.
        const QBrush brush = state & QStyle::State_Selected
                                 ? dbgPadrao->palette().brush(QPalette::Active, QPalette::Highlight)
                                 : dbgPadrao->palette().brush(QPalette::Base);
        DrawCheckCell(painter, rect, brush, picture ? &picture->Picture() : nullptr, 1);
    };
}
