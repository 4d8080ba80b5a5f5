#include "ore/ore00800/FechaOrca_ItemGrid.h"

#include "core/data/Field.h"
#include "framework/widgets/DBGrid.h"
#include "ore/ore00800/CheckImages.h"

#include <cmath>

int CentredOffset(int cellWidth, int pictureWidth) {
    return int(std::trunc(cellWidth / 2.0 - pictureWidth / 2.0));
}

void DrawItemCell(const TDBGrid& grid, QPainter& painter, const QRect& rect, TField& field,
                  const TGridColumn& column, QStyle::State state, const QPixmap& check,
                  const QPixmap& uncheck) {
    const QString& name = field.FieldName();
    if (name != u"IDFATUITEMOREV" && name != u"IDCUSTOFIXO") {
        grid.DefaultDrawColumnCell(painter, rect, field, column, state);
        return;
    }
    const QString value = field.AsString();
    const QPixmap* picture = value == u"S" ? &check : value == u"N" ? &uncheck : nullptr;
    // The cell's own ground, selected or not, shows through the picture.
    const QBrush brush = state & QStyle::State_Selected
                             ? grid.palette().brush(QPalette::Active, QPalette::Highlight)
                             : grid.palette().brush(QPalette::Base);
    DrawCheckCell(painter, rect, brush, picture,
                  CentredOffset(rect.width(), picture ? picture->width() : 0));
}
