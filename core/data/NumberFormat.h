#pragma once

#include "core/data/FormatSettings.h"

// Formats a number with a display format of the host's notation:
//   0  digit, shown even when it is a leading or trailing zero
//   #  digit, shown only when significant
//   .  the decimal separator (first one only); ,  the thousands grouping
//   "xx" or 'xx'  literal text; E+ E- e+ e-  scientific notation
//   ;  separates sections: positive;negative;zero (a negative in its own
//      section is shown without its minus sign; a value that rounds to zero
//      is shown as zero: the zero section, else the first one, never "-0")
//   any other character (a blank, "%") is a literal: "#0.00 %" shows 12.5 as "12,50 %".
// Placeholders take the integer digits from the right, extra digits go to the first
// one ("00-00" shows 123456 as "1234-56"); a minus sign goes before everything.
// Rounding is half away from zero, on the digits the value is written with. An empty format gives
// the plain text of the value with the decimal separator of `fs` (up to 15 significant digits).
QString FormatFloat(const QString& format, double value,
                    const TFormatSettings& fs = TFormatSettings::Current());

// The plain text of a number: up to 15 significant digits, no grouping,
// the decimal separator of `fs`.
QString FloatToStr(double value, const TFormatSettings& fs = TFormatSettings::Current());

// Reads a number written with the separators of `fs` (thousands separators
// allowed, in groups of three) or with a plain "." decimal point; false when `text`
// is not a number. Where "." groups thousands, a single "." with no decimal
// separator is the decimal point ("1.500" is 1.5), two or more group ("1.500.000").
bool TryStrToFloat(const QString& text, double& value,
                   const TFormatSettings& fs = TFormatSettings::Current());
