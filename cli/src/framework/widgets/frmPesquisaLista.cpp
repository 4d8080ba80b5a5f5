#include "framework/widgets/frmPesquisaLista.h"

#include "core/data/DataSet.h"
#include "framework/widgets/CheckListModel.h"
#include "framework/widgets/DataSetTableModel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QVBoxLayout>

TfrmPesquisaLista::TfrmPesquisaLista(TDataSource* source, const QString& keyField,
                                     const QString& title, const QString& emptyText,
                                     QWidget* parent)
    : TSearchWindow(source, title, parent), m_checks(new TCheckListModel(this)),
      m_keyField(keyField), m_empty(new QLabel(emptyText, this)) {
    setObjectName(QStringLiteral("frmPesquisaLista"));
    InsertModel(m_checks);
    List()->setObjectName(QStringLiteral("grdLista"));
    SetCurrentDataRow(0);
    connect(List(), &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        const int row = DataRow(index);
        m_checks->SetChecked(row, !m_checks->IsChecked(row));
    });

    auto* all = new QPushButton(QStringLiteral("Marcar todos"), this);
    all->setObjectName(QStringLiteral("btnMarcarTodos"));
    all->setAutoDefault(false);
    connect(all, &QPushButton::clicked, this, [this] { CheckShown(true); });
    auto* none = new QPushButton(QStringLiteral("Desmarcar todos"), this);
    none->setObjectName(QStringLiteral("btnDesmarcarTodos"));
    none->setAutoDefault(false);
    connect(none, &QPushButton::clicked, this, [this] { CheckShown(false); });
    ButtonRow()->insertWidget(0, all);
    ButtonRow()->insertWidget(1, none);

    // OK needs no current row here: it takes the ticks, or none.
    disconnect(OkButton(), &QPushButton::clicked, nullptr, nullptr);
    connect(OkButton(), &QPushButton::clicked, this, &QDialog::accept);

    m_empty->setObjectName(QStringLiteral("lblVazio"));
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setWordWrap(true);
    static_cast<QVBoxLayout*>(layout())->insertWidget(2, m_empty, 1);
    // With no rows there is nothing to search nor tick: the text says so.
    const bool empty = Rows()->rowCount() == 0;
    m_empty->setVisible(empty);
    List()->setVisible(!empty);
    SearchEdit()->setVisible(!empty);
    all->setEnabled(!empty);
    none->setEnabled(!empty);
}

TField& TfrmPesquisaLista::Key() const {
    TDataSet& ds = *Rows()->DataSet();
    return m_keyField.isEmpty() ? ds.Fields(0) : ds.FieldByName(m_keyField);
}

QString TfrmPesquisaLista::KeyAt(int dataRow) const {
    QString key;
    const TField& field = Key();
    Rows()->DataSet()->ReadRow(dataRow + 1, [&] { key = field.AsString(); });
    return key;
}

QStringList TfrmPesquisaLista::CheckedKeys() const {
    QStringList keys;
    for (int r = 0; r < Rows()->rowCount(); ++r)
        if (m_checks->IsChecked(r))
            if (const QString key = KeyAt(r); !key.isEmpty())
                keys << key;
    return keys;
}

void TfrmPesquisaLista::SetCheckedKeys(const QStringList& keys) {
    const QSet<QString> wanted(keys.begin(), keys.end());
    for (int r = 0; r < Rows()->rowCount(); ++r)
        m_checks->SetChecked(r, wanted.contains(KeyAt(r)));
}

void TfrmPesquisaLista::CheckShown(bool checked) {
    const QAbstractItemModel* shown = List()->model();
    for (int i = 0; i < shown->rowCount(); ++i)
        m_checks->SetChecked(DataRow(shown->index(i, 0)), checked);
}
