#pragma once

#include "core/data/DataPacket.h"

#include <QString>
#include <QVariant>

class TDataSet;

// Reading what the application server's operations answer. An answer of
// another shape than the operation's is a clear error naming the operation
// (EServerError), never a silent empty record set.

// The packet that `payload` is.
TDataPacket PacketOf(const QVariant& payload, const QString& method);
// Element `index` of the array that `payload` is, as a packet.
TDataPacket PacketAt(const QVariant& payload, int index, const QString& method);
// Element `index` of the array that `payload` is.
QVariant ElementAt(const QVariant& payload, int index, const QString& method);
