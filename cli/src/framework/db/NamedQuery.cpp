#include "framework/db/NamedQuery.h"

TADOIBQuery* NewQuery(QObject* owner, const char* name, const TFieldDefs& fields,
                      const QStringList& sql) {
    auto* q = new TADOIBQuery(fields, owner);
    q->setObjectName(QLatin1String(name));
    q->SQL = sql;
    return q;
}

TDataSource* NewDataSource(QObject* owner, const char* name, TDataSet* dataSet) {
    auto* s = new TDataSource(owner);
    s->setObjectName(QLatin1String(name));
    s->SetDataSet(dataSet);
    return s;
}
