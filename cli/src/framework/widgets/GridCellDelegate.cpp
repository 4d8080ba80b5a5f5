#include "framework/widgets/GridCellDelegate.h"

#include "core/data/DataSet.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DataSetTableModel.h"

#include <QPainter>

#include <exception>

TGridCellDelegate::TGridCellDelegate(TDBGrid& grid) : QStyledItemDelegate(&grid), m_grid(grid) {}

void TGridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    QStyle::State state = option.state;
    const bool showSelection =
        m_grid.hasFocus() || m_grid.Options().testFlag(TGridOption::AlwaysShowSelection);
    if (!showSelection)
        state &= ~QStyle::State_Selected;

    painter->save();
    painter->fillRect(option.rect, state & QStyle::State_Selected
                                       ? option.palette.brush(QPalette::Active, QPalette::Highlight)
                                       : option.palette.brush(QPalette::Base));
    DataSetTableModel& model = *m_grid.TableModel();
    TDataSet* ds = model.DataSet();
    TField* field = model.Field(index.column());
    if (ds && field && ds->Active() && index.row() < ds->RecordCount()) {
        const QRect cell = option.rect;
        const TGridColumn& column = model.Column(index.column());
        try {
            ds->ReadRow(index.row() + 1, [&] {
                if (m_grid.OnDrawColumnCell)
                    m_grid.OnDrawColumnCell(*painter, cell, *field, column, state);
                else
                    m_grid.DefaultDrawColumnCell(*painter, cell, *field, column, state);
            });
        } catch (const std::exception& e) {
            // No box from inside a paint: the cell stays blank and the failure is logged.
            qWarning("TDBGrid: drawing a cell failed: %s", e.what());
        }
    }
    painter->restore();

    const TGridOptions options = m_grid.Options();
    painter->save();
    painter->setPen(option.palette.color(QPalette::Mid));
    const QRect r = option.rect;
    if (options.testFlag(TGridOption::ColLines))
        painter->drawLine(r.topRight(), r.bottomRight());
    if (options.testFlag(TGridOption::RowLines))
        painter->drawLine(r.bottomLeft(), r.bottomRight());
    painter->restore();
}
