#pragma once

#include <QIdentityProxyModel>

#include <vector>

// Gives each row of a list a check box (in the first column), kept by row
// of the source. A reset of the source clears the ticks.
class TCheckListModel : public QIdentityProxyModel {
    Q_OBJECT
public:
    explicit TCheckListModel(QObject* parent = nullptr);

    void setSourceModel(QAbstractItemModel* source) override;

    bool IsChecked(int sourceRow) const;
    void SetChecked(int sourceRow, bool checked);

    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    void Clear();

    std::vector<char> m_checked;
};
