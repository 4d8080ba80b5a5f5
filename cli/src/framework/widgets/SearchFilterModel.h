#pragma once

#include <QSortFilterProxyModel>

// Narrows a list to the rows where some column's text contains what the
// operator typed, ignoring case and accents ("joao" finds "JOÃO"). Every
// column counts, so the operator can type a code or a part of a name.
class TSearchFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit TSearchFilterModel(QObject* parent = nullptr);

    void SetSearchText(const QString& text);

    // The form texts are compared in: case-folded, without accents.
    static QString Fold(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_needle;
};
