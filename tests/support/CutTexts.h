#pragma once

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QStringList>
#include <QStyle>
#include <QTableView>

// The titles and values of `view` that do not fit their column as the style
// lays a cell out (its text margins, and a check box where the cell has one),
// so that the view would cut them; empty when every text shows whole.
// Titles are measured in bold, as the header sizes them.
inline QStringList CutTexts(const QTableView& view) {
    const QStyle* style = view.style();
    const QHeaderView* header = view.horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    const int titleMargins = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int cellMargins =
        2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &view) + 1);
    const int checkBox =
        style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &view) + cellMargins;

    QStringList cut;
    const QAbstractItemModel* model = view.model();
    for (int c = 0; c < model->columnCount(); ++c) {
        const int width = view.columnWidth(c);
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        if (titleMetrics.horizontalAdvance(title) + titleMargins > width)
            cut << title;
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex cell = model->index(r, c);
            const QString text = cell.data().toString();
            int needed = view.fontMetrics().horizontalAdvance(text) + cellMargins;
            if (cell.data(Qt::CheckStateRole).isValid())
                needed += checkBox;
            if (needed > width)
                cut << text;
        }
    }
    return cut;
}
