#include "framework/widgets/PickList.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "core/wire/ListString.h"
#include "framework/widgets/DataSetActions.h"
#include "framework/widgets/ModalRunner.h"
#include "framework/widgets/frmPesquisaLista.h"

#include <QApplication>

bool PesquisaLista(TDataSource* source, const QString& keyField, const QString& title,
                   bool /*flag*/, QString& list) {
    TDataSet* ds = source ? source->DataSet() : nullptr;
    if (!ds || ds->FieldCount() == 0)
        throw Exception(QStringLiteral("Não há dados para a lista \"%1\".").arg(title));
    OpenIfClosed(*ds);
    const qsizetype bar = title.indexOf(u'|');
    const QString caption = bar < 0 ? title : title.left(bar);
    QString emptyText = bar < 0 ? QString() : title.mid(bar + 1);
    if (emptyText.isEmpty())
        emptyText = QStringLiteral("Não há registros para selecionar.");

    TfrmPesquisaLista window(source, keyField, caption, emptyText, QApplication::activeWindow());
    window.SetCheckedKeys(ListString::Decode(list));
    if (TModalRunner::Exec(window) != QDialog::Accepted)
        return false;
    list = ListString::Encode(window.CheckedKeys());
    return true;
}
