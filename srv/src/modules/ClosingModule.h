#pragma once

#include "rpc/RemoteModuleRegistry.h"

#include <QString>

#include <functional>

// "ORE00800.rdmFechaOrca" FecharOrca: closes every budget marked in the list
// the screen sends, in one database transaction.
void RegisterClosingModule(TRemoteModuleRegistry& registry, const QString& dbUrl);

// Test seam. A closing passes named points ("FecharOrca:pedidos" once each
// budget's orders are written, "FecharOrca:commit" just before committing);
// the hook may throw there to fail a closing midway. Independently, when the
// environment variable ORE_FAULT_POINT names the point, the process aborts
// there, so that a test can kill a real server in the middle of a closing.
using TClosingFaultHook = std::function<void(const QString& point)>;
void SetClosingFaultHook(TClosingFaultHook hook);
