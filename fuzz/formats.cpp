// The edit masks and number formats: the input is "<mask or format>\n<text>".
// Every mask and format, whatever its characters, shows a value, and every
// text either reads as a number or does not.

#include "core/data/EditMask.h"
#include "core/data/NumberFormat.h"
#include "fuzz/FuzzInput.h"

#include <cmath>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = Fuzz::Text(data, size);
    const qsizetype cut = input.indexOf(u'\n');
    const QString pattern = cut < 0 ? input : input.left(cut);
    const QString text = cut < 0 ? QString() : input.mid(cut + 1);

    const TEditMask mask = TEditMask::Parse(pattern);
    (void)MaskLayout(mask.mask);
    (void)FormatMaskText(pattern, text);

    const TFormatSettings fs = TFormatSettings::PtBR();
    double typed = 0;
    const bool number = TryStrToFloat(text, typed, fs);
    const double values[] = {typed,
                             0.0,
                             -0.005,
                             1234567.891,
                             -1e300,
                             5e-324,
                             std::numeric_limits<double>::max(),
                             std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()};
    for (double v : values) {
        const QString shown = FormatFloat(pattern, v, fs);
        (void)shown;
    }
    // What FloatToStr writes, TryStrToFloat reads back exactly enough.
    if (number && std::isfinite(typed)) {
        double back = 0;
        if (!TryStrToFloat(FloatToStr(typed, fs), back, fs))
            Fuzz::Broken("the plain text of a number does not read as a number");
    }
    return 0;
}
