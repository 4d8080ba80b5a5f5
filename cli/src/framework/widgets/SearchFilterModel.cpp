#include "framework/widgets/SearchFilterModel.h"

TSearchFilterModel::TSearchFilterModel(QObject* parent) : QSortFilterProxyModel(parent) {
    // Filtering reads rows from the data set: only when the text changes.
    setDynamicSortFilter(false);
}

QString TSearchFilterModel::Fold(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out.toCaseFolded();
}

void TSearchFilterModel::SetSearchText(const QString& text) {
    const QString needle = Fold(text.trimmed());
    if (needle == m_needle)
        return;
    m_needle = needle;
    invalidateFilter();
}

bool TSearchFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    if (m_needle.isEmpty())
        return true;
    const QAbstractItemModel* model = sourceModel();
    for (int c = 0; c < model->columnCount(sourceParent); ++c)
        if (Fold(model->index(sourceRow, c, sourceParent).data().toString()).contains(m_needle))
            return true;
    return false;
}
