#pragma once

#include "core/data/DataPacket.h"
#include "core/data/FieldDef.h"
#include "tests/support/QtPrinters.h"

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

// A row as the server would send it: values by field name; fields not named are null.
using TPacketRow = std::vector<std::pair<QString, QVariant>>;

// A packet of `layout`'s data fields (calculated fields are not sent) holding
// `rows` as loaded, unchanged rows. Values are checked against the layout the
// way a field checks them, so a test cannot build a packet the layout refuses.
TDataPacket MakePacket(const TFieldDefs& layout, const std::vector<TPacketRow>& rows);
