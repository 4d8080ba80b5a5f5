#pragma once

#include <QString>

#include <functional>

// Named points a closing passes: before each write statement, by verb, table
// and occurrence within the closing ("INSERT:PEDIDO#3", "UPDATE:NUMERADOR#1");
// "FecharOrca:pedidos" once each budget's orders are written;
// "FecharOrca:commit" just before committing and "FecharOrca:committed" just
// after. Tests pass their own function, which may throw there to fail a
// closing midway. An empty function passes no point at all.
using TFaultPoints = std::function<void(const QString& point)>;

// A write statement's point name without its occurrence ("INSERT:PEDIDO"),
// or an empty text for a statement that writes nothing.
QString WritePoint(const QString& sql);

// What the server runs with: empty unless the environment variable
// ORE_FAULT_POINT is set when the module is registered. Set to a point's
// name, the process kills itself with SIGKILL there, so that a run can crash
// a real server in the middle of a closing; set to "list", the server writes
// every point it passes to its standard error ("ore-server: ponto de falha
// NAME"), so that a run learns the points a closing has. Never set in
// production.
TFaultPoints EnvironmentFaultPoints();
