// The list-string parser: any text either decodes or is refused with
// EListStringError, and the codes it yields encode back to a text that decodes
// to the same codes.

#include "core/wire/ListString.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList codes;
    try {
        codes = ListString::Decode(Fuzz::Text(data, size));
    } catch (const ListString::EListStringError&) {
        return 0;
    }
    try {
        if (ListString::Decode(ListString::Encode(codes)) != codes)
            Fuzz::Broken("decoded codes do not survive encoding");
    } catch (const Exception&) {
        Fuzz::Broken("decoded codes cannot be encoded again");
    }
    return 0;
}
