#pragma once

#include <QStyledItemDelegate>

class TDBGrid;

// Paints a TDBGrid's cells: background and selection, then the cell through
// the grid's OnDrawColumnCell (or its default drawing) with the fields
// reading the painted row, then the lines the grid's options ask for.
class TGridCellDelegate : public QStyledItemDelegate {
public:
    explicit TGridCellDelegate(TDBGrid& grid);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    TDBGrid& m_grid;
};
