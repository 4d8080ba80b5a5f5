#pragma once

#include <QString>

#include <functional>

// Named points a closing passes: "FecharOrca:pedidos" once each budget's
// orders are written, "FecharOrca:commit" just before committing. Tests pass
// their own function, which may throw there to fail a closing midway.
using TFaultPoints = std::function<void(const QString& point)>;

// What the server runs with: inert unless the environment variable
// ORE_FAULT_POINT names a point when the module is registered; the process
// then aborts at that point, so that a test can kill a real server in the
// middle of a closing. Never set in production.
TFaultPoints EnvironmentFaultPoints();
