#pragma once

#include <QString>

#include <vector>

// An edit mask of the host's notation: "mask;save literals;blank", e.g.
// ">aaaa;0; " or "!00:00;0; " or "00.000.000/0000-00;0;_".
//   mask characters: 0 digit required, 9 digit optional, # digit or sign optional,
//   L letter required, l letter optional, A alphanumeric required, a optional,
//   C any character required, c optional, > upper case from here, < lower case,
//   <> no case change, \ the next character is a literal, ! optional characters
//   are left out at the start instead of the end, _ a blank literal;
//   every other character is a literal (":", "/", ".", "-", "(", ")").
//   save literals: "0" the value holds only the typed characters, "1" it holds
//   the literals too. blank: the character shown for an empty position.
struct TEditMask {
    QString mask;             // the first part
    bool saveLiterals = true; // the second part; "1" when absent
    QChar blank = u'_';       // the third part

    static TEditMask Parse(const QString& editMask);
    bool IsEmpty() const { return mask.isEmpty(); }
};

// The text a masked edit shows for `value`: literals of the mask inserted when
// the value does not hold them (save literals "0"), case rules applied.
// A value that already holds every literal at its place is shown as it is, whatever
// the save-literals part says. Characters are not checked against the mask; missing
// ones show as ' ' (not the mask's blank), extra ones are dropped. An empty mask
// returns the value.
QString FormatMaskText(const QString& editMask, const QString& value);

// The positions of a mask (its first part), for the edits that enter it.
enum class TMaskCase { None, Upper, Lower };
struct TMaskCell {
    bool input = false;
    QChar ch; // the mask character of an input position, or the literal shown
    TMaskCase letterCase = TMaskCase::None;
};
struct TMaskLayout {
    std::vector<TMaskCell> cells;
    bool leadingBlanks = false; // "!": missing characters are at the start
};
TMaskLayout MaskLayout(const QString& mask);
