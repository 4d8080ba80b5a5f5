#pragma once

#include "bench/BenchData.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <variant>

// The items as an ordinary Qt table model would hold them: one QString or
// double per cell, ready to hand out as QVariant. The calculated total is
// computed in data(), like a record set computes it on reading.
class TItemTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TItemTableModel(const TPlainTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    using TColumnData = std::variant<std::vector<QString>, std::vector<double>>;
    std::vector<TColumnData> m_columns; // empty vector of doubles for the calculated total
    int m_rows = 0;
    int m_total = -1; // column of the calculated total
    int m_qt = -1, m_vr = -1, m_desc = -1, m_acre = -1;
};

// Shows the rows of one budget: both key columns must match.
class TBudgetFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    TBudgetFilterProxy(int numberColumn, int seqColumn, QObject* parent = nullptr);

    // Switches to another budget and filters again.
    void SetBudget(const QString& number, const QString& seq);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    int m_numberColumn;
    int m_seqColumn;
    QString m_number;
    QString m_seq;
};
