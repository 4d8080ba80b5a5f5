// The data-packet reader, as a screen meets a server's answer: any bytes
// either load into a record set or are refused with EDatabaseError, and what
// loaded can be read in full, written again and read back.

#include "core/data/Exceptions.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TDataPacket packet(Fuzz::Bytes(data, size));
    TRecordSet rs;
    try {
        rs.SetData(packet);
    } catch (const EDatabaseError&) {
        return 0;
    }
    for (int r = 1; r <= rs.RecordCount(); ++r)
        rs.ReadRow(r, [&] {
            for (int i = 0; i < rs.FieldCount(); ++i) {
                (void)rs.Fields(i).Value();
                (void)rs.Fields(i).AsString();
            }
        });
    TRecordSet back;
    try {
        back.SetData(rs.Data());
    } catch (const EDatabaseError&) {
        Fuzz::Broken("a packet that loaded does not load again once written");
    }
    if (back.RecordCount() != rs.RecordCount() || back.FieldCount() != rs.FieldCount())
        Fuzz::Broken("a packet written again lost rows or fields");
    // The server's own reader, into a record set of fixed fields.
    TRecordSet typed(Fuzz::BudgetDefs());
    try {
        typed.SetData(packet);
    } catch (const EDatabaseError&) {
    }
    return 0;
}
