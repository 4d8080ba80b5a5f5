#include "modules/ClosingModule.h"

#include "closing/FecharOrca.h"
#include "core/db/DbUrl.h"

namespace {

const QString kServer = QStringLiteral("ORE00800.rdmFechaOrca");

} // namespace

void RegisterClosingModule(TRemoteModuleRegistry& registry, const QString& dbUrl,
                           TFaultPoints faults) {
    const DbUrl url = DbUrl::Parse(dbUrl);
    registry.Register(kServer, QStringLiteral("FecharOrca"),
                      [url, faults](TCallContext& context, const QVariantList& args) -> QVariant {
                          return FecharOrca(url, args, faults, context.operador);
                      });
    registry.MarkOperatorArgument(kServer, QStringLiteral("FecharOrca"), 1);
}
