#pragma once

#include "core/data/DataSource.h"
#include "framework/db/AdoIbQuery.h"

class QObject;

// A query with its designed name, fields and generic statement, owned by `owner`.
TADOIBQuery* NewQuery(QObject* owner, const char* name, const TFieldDefs& fields,
                      const QStringList& sql);
// A data source with its designed name, showing `dataSet`, owned by `owner`.
TDataSource* NewDataSource(QObject* owner, const char* name, TDataSet* dataSet);
