#include "framework/widgets/DataSetActions.h"

#include "core/data/DataSet.h"
#include "core/data/Exceptions.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/services/Dialogs.h"

#include <algorithm>

QString DeleteRecordQuestion() {
    return QStringLiteral("Confirma a exclusão do registro?");
}

void DeleteCurrentRecord(TDataSet& dataSet, bool confirm) {
    if (confirm && !TDialogs::Current().YesNo(DeleteRecordQuestion()))
        throw EAbort();
    dataSet.Delete();
}

bool CanRefresh(const TDataSet& dataSet) {
    return dynamic_cast<const TADOIBQuery*>(&dataSet) != nullptr;
}

bool CanModify(const TDataSet& dataSet) {
    return !CanRefresh(dataSet);
}

void RefreshDataSet(TDataSet& dataSet) {
    auto* query = dynamic_cast<TADOIBQuery*>(&dataSet);
    if (!query)
        return;
    const int recNo = query->RecNo();
    query->Close();
    query->Open();
    if (recNo > 1 && query->RecordCount() > 0)
        query->SetRecNo(std::min(recNo, query->RecordCount()));
}

void OpenIfClosed(TDataSet& dataSet) {
    if (auto* query = dynamic_cast<TADOIBQuery*>(&dataSet); query && !query->Active())
        query->Open();
}

bool CurrentRecordBlank(const TDataSet& dataSet) {
    for (int i = 0; i < dataSet.FieldCount(); ++i)
        if (!dataSet.Fields(i).Calculated() && !dataSet.Fields(i).IsNull())
            return false;
    return true;
}
