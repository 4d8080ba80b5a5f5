#include "framework/services/Handles.h"

#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"

#include <QHash>

namespace {

struct TRegistry {
    QHash<int, TDataSource*> byHandle;
    QHash<const QObject*, int> bySource;
    int last = 0;
};

TRegistry& Registry() {
    static TRegistry registry;
    return registry;
}

} // namespace

int DataSourceHandle(TDataSource* source) {
    if (!source)
        return 0;
    TRegistry& r = Registry();
    if (const auto it = r.bySource.constFind(source); it != r.bySource.cend())
        return *it;
    const int handle = ++r.last;
    r.byHandle.insert(handle, source);
    r.bySource.insert(source, handle);
    QObject::connect(source, &QObject::destroyed, [handle](QObject* gone) {
        Registry().byHandle.remove(handle);
        Registry().bySource.remove(gone);
    });
    return handle;
}

TDataSource* DataSourceFromHandle(int handle) {
    if (handle == 0)
        return nullptr;
    const TRegistry& r = Registry();
    if (const auto it = r.byHandle.constFind(handle); it != r.byHandle.cend())
        return *it;
    throw EDatabaseError(QStringLiteral("Referência a fonte de dados inválida: %1.").arg(handle));
}
