#include "bench/ItemTableModel.h"

TItemTableModel::TItemTableModel(const TPlainTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_rows(int(table.RowCount())) {
    for (int f = 0; f < table.FieldCount(); ++f) {
        const int slot = table.Slot(f);
        if (slot < 0) {
            m_total = f;
            m_columns.emplace_back(std::vector<double>());
        } else if (table.IsText(f)) {
            std::vector<QString> cells;
            cells.reserve(table.RowCount());
            for (size_t r = 0; r < table.RowCount(); ++r) {
                const std::string& s = table.Text(r, slot);
                cells.push_back(QString::fromUtf8(s.data(), qsizetype(s.size())));
            }
            m_columns.emplace_back(std::move(cells));
        } else {
            std::vector<double> cells;
            cells.reserve(table.RowCount());
            for (size_t r = 0; r < table.RowCount(); ++r)
                cells.push_back(table.Num(r, slot));
            m_columns.emplace_back(std::move(cells));
        }
    }
    m_qt = table.FieldIndex(QStringLiteral("QTITEMORCEVE"));
    m_vr = table.FieldIndex(QStringLiteral("VRITEMORCEVE"));
    m_desc = table.FieldIndex(QStringLiteral("VRDESCITOREV"));
    m_acre = table.FieldIndex(QStringLiteral("VRACREITOREV"));
}

int TItemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int TItemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant TItemTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const size_t row = size_t(index.row());
    if (index.column() == m_total) {
        auto num = [&](int c) { return std::get<std::vector<double>>(m_columns[size_t(c)])[row]; };
        return num(m_qt) * num(m_vr) - num(m_desc) + num(m_acre);
    }
    const TColumnData& column = m_columns[size_t(index.column())];
    if (const auto* texts = std::get_if<std::vector<QString>>(&column))
        return (*texts)[row];
    return std::get<std::vector<double>>(column)[row];
}

TBudgetFilterProxy::TBudgetFilterProxy(int numberColumn, int seqColumn, QObject* parent)
    : QSortFilterProxyModel(parent), m_numberColumn(numberColumn), m_seqColumn(seqColumn) {}

void TBudgetFilterProxy::SetBudget(const QString& number, const QString& seq) {
    m_number = number;
    m_seq = seq;
    invalidateFilter();
}

bool TBudgetFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const QAbstractItemModel* source = sourceModel();
    if (source->data(source->index(sourceRow, m_numberColumn, sourceParent)).toString() != m_number)
        return false;
    return source->data(source->index(sourceRow, m_seqColumn, sourceParent)).toString() == m_seq;
}
