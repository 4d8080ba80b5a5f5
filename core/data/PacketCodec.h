#pragma once

#include "core/data/DataPacket.h"
#include "core/data/RowStore.h"

#include <memory>

// Writes every row of `store` into a packet: live rows in their order, then the
// rows deleted since the load.
TDataPacket EncodePacket(const TRowStore& store);

// Reads a packet into a new store with the columns of `target` (the record
// set's data fields), matching the packet's fields by name; with an empty
// `target`, the packet's own fields. Throws EPacketError on a malformed,
// truncated, wrong-version or wrong-kind packet, or one whose fields differ
// from `target`.
std::unique_ptr<TRowStore> DecodePacket(const TDataPacket& packet, const TFieldDefs& target);
