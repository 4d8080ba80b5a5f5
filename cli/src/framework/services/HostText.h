#pragma once

#include "core/data/Field.h"

#include <QString>

class QWidget;

// Small text and number helpers that every screen uses.

// True for an empty text or one of blanks only.
bool EmptyString(const QString& s);

// A code right-aligned and zero-filled to `width` ("12" -> "0012"), as codes
// are stored. Surrounding blanks are dropped first. A blank or empty text is
// returned as it is (no code typed is not code "0000"), and so is a text
// longer than `width`: a code is never cut, the lookup then fails visibly.
QString Ajusta(const QString& s, int width);

// Normalises a registration number in place: drops the literals a mask puts in
// it (dots, slashes, dashes, blanks, the mask's "_") and keeps the rest, so
// "123.456.789-01" becomes "12345678901". Returns the person kind the number
// has the length of: "F" for 11 digits (individual), "J" for 14 (company),
// "" for any other.
QString Ajusta_Inscricao(QString& s);

// The edit mask of the registration number of a person kind: "F" individual,
// "J" company (either case); any other kind has no mask ("").
QString PictPess(const QString& kind);

// A display-text handler that lays a registration number out with the mask
// of the person kind held by `kindField` in the same row.
TField::GetTextHandler RegistrationText(const QString& kindField);

// `x` rounded to `digits` decimals (0 or more), half away from zero, as the
// number is written in decimal: RoundDec(2.675, 2) == 2.68 although the double
// nearest 2.675 lies just below it. NaN and infinities come back unchanged.
double RoundDec(double x, int digits);

// The edit mask of a date in the session's short date format, e.g.
// "!99/99/9999;1;_" for dd/MM/yyyy.
QString DateMask();

// Enables or disables every widget inside `box`, however deep, leaving `box`
// itself as it is: a panel whose controls are locked still shows as a panel.
void SetChildEnabled(QWidget* box, bool on);
