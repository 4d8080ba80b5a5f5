#include "framework/widgets/SearchWindow.h"

#include "framework/widgets/DataSetTableModel.h"
#include "framework/widgets/SearchFilterModel.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

TSearchWindow::TSearchWindow(TDataSource* source, const QString& title, QWidget* parent)
    : QDialog(parent), m_rows(new DataSetTableModel(this)), m_filter(new TSearchFilterModel(this)),
      m_search(new QLineEdit(this)), m_list(new QTableView(this)), m_buttonRow(new QHBoxLayout),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setWindowTitle(title);
    m_rows->SetDataSource(source);
    m_filter->setSourceModel(m_rows);

    m_search->setObjectName(QStringLiteral("edtPesquisa"));
    m_search->setPlaceholderText(QStringLiteral("Pesquisar"));
    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textChanged, this, &TSearchWindow::Narrow);

    m_list->setObjectName(QStringLiteral("grdPesquisa"));
    m_list->setModel(m_filter);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setWordWrap(false);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);

    m_ok->setObjectName(QStringLiteral("btnOK"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (DataRow(m_list->currentIndex()) >= 0)
            accept();
    });
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("btnCancelar"));
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    m_buttonRow->addStretch();
    m_buttonRow->addWidget(m_ok);
    m_buttonRow->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_search);
    layout->addWidget(m_list, 1);
    layout->addLayout(m_buttonRow);
    m_search->setFocus();
}

void TSearchWindow::InsertModel(QAbstractProxyModel* middle) {
    m_middle = middle;
    middle->setSourceModel(m_rows);
    m_filter->setSourceModel(middle);
}

void TSearchWindow::setVisible(bool visible) {
    // Once the window is complete (a derived window adds buttons, and models
    // that add to the cells), and before Qt places it.
    if (visible && !m_fitted) {
        m_fitted = true;
        FitToContents();
    }
    QDialog::setVisible(visible);
}

void TSearchWindow::FitToContents() {
    // Room for the title bar and borders a window manager puts around the window.
    const QSize frame(16, 40);
    const QRect desktop = screen() ? screen()->availableGeometry() : QRect(0, 0, 800, 600);
    const int widest = desktop.width() - frame.width();
    // No column takes more than half the room: a very long value is cut
    // rather than pushing the other columns out of sight.
    const int widestColumn = widest / 2;
    int columns = 0;
    for (int c = 0; c < m_list->model()->columnCount(); ++c) {
        m_list->resizeColumnToContents(c); // the larger of the title and the widest value
        if (m_list->columnWidth(c) > widestColumn)
            m_list->setColumnWidth(c, widestColumn);
        columns += m_list->columnWidth(c);
    }
    const QMargins margins = layout()->contentsMargins();
    const int wanted = columns + 2 * m_list->frameWidth() +
                       m_list->verticalScrollBar()->sizeHint().width() + margins.left() +
                       margins.right();
    // At least as wide as the buttons need, and room for the window's title.
    const int narrowest = std::max(minimumSizeHint().width(), 420);
    const int width = std::clamp(wanted, std::min(narrowest, widest), widest);
    // The room the window has beyond its columns goes to the last one.
    if (const int last = m_list->model()->columnCount() - 1; last >= 0 && width > wanted)
        m_list->setColumnWidth(last, m_list->columnWidth(last) + width - wanted);
    resize(width, std::min(400, desktop.height() - frame.height()));
}

int TSearchWindow::DataRow(const QModelIndex& listIndex) const {
    if (!listIndex.isValid())
        return -1;
    QModelIndex i = m_filter->mapToSource(listIndex);
    if (m_middle)
        i = m_middle->mapToSource(i);
    return i.isValid() ? i.row() : -1;
}

QModelIndex TSearchWindow::ListIndex(int dataRow) const {
    QModelIndex i = m_rows->index(dataRow, 0);
    if (m_middle)
        i = m_middle->mapFromSource(i);
    return m_filter->mapFromSource(i);
}

void TSearchWindow::SetCurrentDataRow(int dataRow) {
    const QModelIndex i = ListIndex(dataRow);
    if (!i.isValid())
        return;
    m_list->setCurrentIndex(i);
    m_list->scrollTo(i);
}

void TSearchWindow::Narrow(const QString& text) {
    m_filter->SetSearchText(text);
    // Enter then picks the first row that matches.
    const QModelIndex target = m_filter->index(0, 0);
    if (target.isValid()) {
        m_list->setCurrentIndex(target);
        m_list->scrollTo(target);
    }
}

bool TSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_search && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_list, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}
