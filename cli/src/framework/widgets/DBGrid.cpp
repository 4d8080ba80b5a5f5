#include "framework/widgets/DBGrid.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/DataSetActions.h"
#include "framework/widgets/DataSetTableModel.h"
#include "framework/widgets/GridCellDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>

namespace {

// The indicator column, as wide as its mark. The stock header would measure
// the marks of up to 200 rows for its size hint, which the view asks for each
// time it lays itself out, and would do it again after every move, since the
// mark moves: the width is fixed anyway.
class TIndicatorHeader : public QHeaderView {
public:
    explicit TIndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
        setSectionsClickable(true);
        setHighlightSections(true);
    }
    QSize sizeHint() const override { return {maximumWidth(), defaultSectionSize()}; }
};

} // namespace

TDBGrid::TDBGrid(QWidget* parent) : QTableView(parent), m_model(new DataSetTableModel(this)) {
    setVerticalHeader(new TIndicatorHeader(this));
    setModel(m_model);
    setItemDelegate(new TGridCellDelegate(*this));
    setShowGrid(false); // the delegate draws the lines the options ask for
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    horizontalHeader()->setObjectName(QStringLiteral("hdrTitles"));
    horizontalHeader()->setHighlightSections(false);
    QHeaderView* rows = verticalHeader();
    rows->setObjectName(QStringLiteral("hdrIndicator"));
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(fontMetrics().height() + 2);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);
    rows->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("▶")) + 8);
    connect(m_model, &QAbstractItemModel::modelReset, this, &TDBGrid::ApplyColumnWidths);
    connect(m_model, &DataSetTableModel::dataSetChanged, this, &TDBGrid::SyncFromDataSet);
    SetOptions(DefaultGridOptions);
}

TDataSource* TDBGrid::DataSource() const {
    return m_model->DataSource();
}

void TDBGrid::SetDataSource(TDataSource* source) {
    m_model->SetDataSource(source);
}

const std::vector<TGridColumn>& TDBGrid::Columns() const {
    return m_model->DeclaredColumns();
}

void TDBGrid::SetColumns(std::vector<TGridColumn> columns) {
    m_model->SetColumns(std::move(columns));
    SyncFromDataSet();
}

void TDBGrid::SetOptions(TGridOptions options) {
    m_options = options;
    horizontalHeader()->setVisible(options.testFlag(TGridOption::Titles));
    verticalHeader()->setVisible(options.testFlag(TGridOption::Indicator));
    setTabKeyNavigation(options.testFlag(TGridOption::Tabs));
    const bool rowSelect = options.testFlag(TGridOption::RowSelect);
    setSelectionBehavior(rowSelect ? SelectRows : SelectItems);
    const bool editing = options.testFlag(TGridOption::Editing) && !rowSelect;
    setEditTriggers(editing ? DoubleClicked | EditKeyPressed | AnyKeyPressed : NoEditTriggers);
    m_model->SetEditable(editing);
    if (const QModelIndex current = currentIndex(); current.isValid())
        selectionModel()->select(
            current, QItemSelectionModel::ClearAndSelect |
                         (rowSelect ? QItemSelectionModel::Rows : QItemSelectionModel::NoUpdate));
    viewport()->update();
}

TField* TDBGrid::SelectedField() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? m_model->Field(current.column()) : nullptr;
}

void TDBGrid::DefaultDrawColumnCell(QPainter& painter, const QRect& rect, TField& field,
                                    const TGridColumn& column, QStyle::State state) const {
    const QRect text = rect.adjusted(3, 0, -3, 0);
    painter.setPen(palette().color(state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                  : QPalette::Text));
    painter.setFont(font());
    painter.drawText(text, int(column.Alignment | Qt::AlignVCenter),
                     fontMetrics().elidedText(field.DisplayText(), Qt::ElideRight, text.width()));
}

void TDBGrid::ApplyColumnWidths() {
    for (int c = 0; c < m_model->columnCount(); ++c)
        setColumnWidth(c, m_model->PixelWidth(c, fontMetrics()));
}

void TDBGrid::SyncFromDataSet() {
    const int row = m_model->CurrentRow();
    const QModelIndex current = currentIndex();
    if (row < 0 || row >= m_model->rowCount() || m_model->columnCount() == 0) {
        return;
    }
    if (current.isValid() && current.row() == row)
        return;
    const int column = current.isValid() ? current.column() : 0;
    const QModelIndex target = m_model->index(row, column);
    m_syncing = true;
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect |
                                                  (m_options.testFlag(TGridOption::RowSelect)
                                                       ? QItemSelectionModel::Rows
                                                       : QItemSelectionModel::NoUpdate));
    m_syncing = false;
    // A grid not shown scrolls to its row when it is shown (the view keeps
    // that for it): scrolling now would lay out all its rows for nothing.
    if (isVisible())
        scrollTo(target);
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    TDataSet* ds = m_model->DataSet();
    if (m_syncing || !current.isValid() || !ds || !ds->Active() || current.row() == previous.row())
        return;
    if (ds->RecNo() == current.row() + 1)
        return;
    Dispatch([&] { ds->SetRecNo(current.row() + 1); });
    // Refused (a pending edit that does not post): the grid goes back to the
    // data set's record once the click that moved it is done.
    if (ds->RecNo() != current.row() + 1)
        QTimer::singleShot(0, this, &TDBGrid::SyncFromDataSet);
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyDown) {
        const bool ran = Dispatch([&] { OnKeyDown(key, event->modifiers()); });
        if (!ran || key == 0) {
            event->accept();
            return;
        }
    }
    if (HandleOwnKey(key, event->modifiers())) {
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool TDBGrid::HandleOwnKey(int key, Qt::KeyboardModifiers modifiers) {
    TDataSet* ds = m_model->DataSet();
    if (!ds || !ds->Active() || state() == EditingState)
        return false;
    if (key == Qt::Key_Delete && modifiers == Qt::ControlModifier &&
        m_options.testFlag(TGridOption::Editing) && !ds->IsEmpty()) {
        Dispatch([&] { DeleteCurrentRecord(*ds, m_options.testFlag(TGridOption::ConfirmDelete)); });
        return true;
    }
    if (key == Qt::Key_Escape &&
        (ds->State() == TDataSetState::Edit || ds->State() == TDataSetState::Insert)) {
        Dispatch([&] { ds->Cancel(); });
        return true;
    }
    return false;
}

void TDBGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    viewport()->update(); // the selection shows only with the focus, by default
}

void TDBGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    viewport()->update();
    TDataSet* ds = m_model->DataSet();
    // Focus going to the grid's own cell editor is not leaving the grid.
    if (!m_options.testFlag(TGridOption::CancelOnExit) || !ds ||
        ds->State() != TDataSetState::Insert || isAncestorOf(QApplication::focusWidget()))
        return;
    if (CurrentRecordBlank(*ds))
        Dispatch([&] { ds->Cancel(); });
}
