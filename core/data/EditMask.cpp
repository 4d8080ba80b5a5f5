#include "core/data/EditMask.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

bool IsInputChar(QChar c) {
    switch (c.unicode()) {
    case '0':
    case '9':
    case '#':
    case 'L':
    case 'l':
    case 'A':
    case 'a':
    case 'C':
    case 'c':
        return true;
    default:
        return false;
    }
}

QChar ApplyCase(QChar c, TMaskCase letterCase) {
    switch (letterCase) {
    case TMaskCase::Upper:
        return c.toUpper();
    case TMaskCase::Lower:
        return c.toLower();
    case TMaskCase::None:
        break;
    }
    return c;
}

// Whether `value` already holds every literal of the mask at its place.
bool HoldsLiterals(const std::vector<TMaskCell>& cells, const QString& value) {
    if (value.size() != static_cast<int>(cells.size()))
        return false;
    for (int i = 0; i < value.size(); ++i) {
        if (!cells[i].input && value[i] != cells[i].ch)
            return false;
    }
    return true;
}

} // namespace

TMaskLayout MaskLayout(const QString& mask) {
    TMaskLayout layout;
    TMaskCase letterCase = TMaskCase::None;
    for (int i = 0; i < mask.size(); ++i) {
        const QChar c = mask[i];
        if (c == u'!') {
            layout.leadingBlanks = true;
        } else if (c == u'<' && i + 1 < mask.size() && mask[i + 1] == u'>') {
            letterCase = TMaskCase::None;
            ++i;
        } else if (c == u'>') {
            letterCase = TMaskCase::Upper;
        } else if (c == u'<') {
            letterCase = TMaskCase::Lower;
        } else if (c == u'\\') {
            if (++i < mask.size())
                layout.cells.push_back({false, mask[i]});
        } else if (c == u'_') {
            layout.cells.push_back({false, u' '});
        } else if (IsInputChar(c)) {
            layout.cells.push_back({true, c, letterCase});
        } else {
            layout.cells.push_back({false, c});
        }
    }
    return layout;
}

TEditMask TEditMask::Parse(const QString& editMask) {
    TEditMask result;
    // The mask ends at the first ";" that is not escaped.
    int end = 0;
    while (end < editMask.size() && editMask[end] != u';')
        end += editMask[end] == u'\\' ? 2 : 1;
    end = std::min<int>(end, editMask.size());
    result.mask = editMask.left(end);
    if (end >= editMask.size())
        return result;

    const QStringList rest = editMask.mid(end + 1).split(u';');
    result.saveLiterals = rest[0] != QLatin1String("0");
    if (rest.size() > 1 && !rest[1].isEmpty())
        result.blank = rest[1].front();
    return result;
}

QString FormatMaskText(const QString& editMask, const QString& value) {
    const TEditMask parsed = TEditMask::Parse(editMask);
    if (parsed.IsEmpty())
        return value;
    TMaskLayout layout = MaskLayout(parsed.mask);
    QString text = value;

    // A value that already carries the literals is shown as it is even when the
    // mask says it should not, instead of shifting every character.
    const bool matchLiterals = parsed.saveLiterals || HoldsLiterals(layout.cells, value);

    // "!" fills from the end, so missing characters leave blanks at the start.
    if (layout.leadingBlanks) {
        std::reverse(layout.cells.begin(), layout.cells.end());
        std::reverse(text.begin(), text.end());
    }
    QString out;
    int j = 0;
    for (const TMaskCell& slot : layout.cells) {
        if (!slot.input) {
            if (matchLiterals && j < text.size() && text[j] == slot.ch)
                ++j;
            out += slot.ch;
        } else if (j < text.size()) {
            out += ApplyCase(text[j++], slot.letterCase);
        } else {
            out += u' ';
        }
    }
    if (layout.leadingBlanks)
        std::reverse(out.begin(), out.end());
    return out;
}
