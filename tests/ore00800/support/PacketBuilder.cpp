#include "tests/ore00800/support/PacketBuilder.h"

#include "core/data/PacketCodec.h"
#include "core/data/RecordSet.h"
#include "core/data/RowStore.h"

TDataPacket MakePacket(const TFieldDefs& layout, const std::vector<TPacketRow>& rows) {
    const TFieldDefs dataDefs = DataFieldDefs(layout);

    // Only for its fields: name lookup and value checks.
    const TRecordSet shape(dataDefs);
    TRowStore store(dataDefs);
    for (const TPacketRow& row : rows) {
        std::vector<QVariant> values(dataDefs.size());
        for (const auto& [name, value] : row) {
            const TField& field = shape.FieldByName(name);
            values[size_t(field.Index())] = field.Coerce(value);
        }
        store.AppendRow(values, TUpdateStatus::Unmodified);
    }
    return EncodePacket(store);
}
