#include "framework/widgets/MaskEdit.h"

#include "framework/services/FocusTracker.h"

#include <QFocusEvent>
#include <QMouseEvent>

namespace {

// Every position maps to Qt's optional kind: Qt drops a blank that a program
// sets in a required position, and a value may be shown with missing characters.
// IsComplete tells whether the required ones are there.
QChar QtInputChar(QChar c) {
    switch (c.unicode()) {
    case '0':
    case '9':
        return u'0';
    case 'L':
    case 'l':
        return u'a';
    case 'A':
    case 'a':
        return u'n';
    case 'C':
    case 'c':
        return u'x';
    default: // '#': digit or sign, optional, in both notations
        return c;
    }
}

bool IsRequired(QChar maskChar) {
    return maskChar == u'0' || maskChar == u'L' || maskChar == u'A' || maskChar == u'C';
}

QChar QtCaseMarker(TMaskCase letterCase) {
    switch (letterCase) {
    case TMaskCase::Upper:
        return u'>';
    case TMaskCase::Lower:
        return u'<';
    case TMaskCase::None:
        break;
    }
    return u'!';
}

QString QtInputMask(const TMaskLayout& layout, QChar blank) {
    static const QString qtMeta = QStringLiteral("AaNnXx90Dd#HhBb><!;\\[]{}");
    QString mask;
    TMaskCase letterCase = TMaskCase::None;
    for (const TMaskCell& cell : layout.cells) {
        if (!cell.input) {
            if (qtMeta.contains(cell.ch))
                mask += u'\\';
            mask += cell.ch;
            continue;
        }
        if (cell.letterCase != letterCase) {
            letterCase = cell.letterCase;
            mask += QtCaseMarker(letterCase);
        }
        mask += QtInputChar(cell.ch);
    }
    return mask + u';' + blank;
}

} // namespace

TMaskEdit::TMaskEdit(QWidget* parent) : QLineEdit(parent) {
    TFocusTracker::Instance().SetControlExit(this, [this] { ExitEdit(); });
}

void TMaskEdit::SetEditMask(const QString& editMask) {
    if (editMask == m_editMask)
        return;
    const QString value = Text();
    m_editMask = editMask;
    m_put.Forget();
    m_parsed = TEditMask::Parse(editMask);
    m_layout = MaskLayout(m_parsed.mask);
    setInputMask(m_parsed.IsEmpty() ? QString() : QtInputMask(m_layout, m_parsed.blank));
    SetText(value);
}

QString TMaskEdit::InputCharacters() const {
    const QString shown = displayText();
    QString chars;
    for (size_t i = 0; i < m_layout.cells.size(); ++i) {
        if (!m_layout.cells[i].input)
            continue;
        const QChar c = qsizetype(i) < shown.size() ? shown[qsizetype(i)] : m_parsed.blank;
        chars += c == m_parsed.blank ? QChar(u' ') : c;
    }
    return chars;
}

int TMaskEdit::FirstEmptyPosition() const {
    const QString shown = displayText();
    for (size_t i = 0; i < m_layout.cells.size(); ++i) {
        if (m_layout.cells[i].input &&
            (qsizetype(i) >= shown.size() || shown[qsizetype(i)] == m_parsed.blank))
            return int(i);
    }
    return -1;
}

bool TMaskEdit::IsEmpty() const {
    if (m_parsed.IsEmpty())
        return text().isEmpty();
    return InputCharacters().trimmed().isEmpty();
}

bool TMaskEdit::IsComplete() const {
    const QString chars = InputCharacters();
    qsizetype j = 0;
    for (const TMaskCell& cell : m_layout.cells) {
        if (cell.input && chars[j++] == u' ' && IsRequired(cell.ch))
            return false;
    }
    return true;
}

QString TMaskEdit::Text() const {
    if (m_parsed.IsEmpty())
        return text();
    QString chars = InputCharacters();
    if (chars.trimmed().isEmpty())
        return {};
    if (m_layout.leadingBlanks) {
        QString typed = chars;
        typed.remove(u' ');
        chars = QString(chars.size() - typed.size(), u' ') + typed;
    }
    if (!m_parsed.saveLiterals) {
        // The unfilled positions at the end (at the start with "!") are no part of the value.
        qsizetype from = 0, to = chars.size();
        if (m_layout.leadingBlanks)
            while (from < to && chars[from] == u' ')
                ++from;
        else
            while (to > from && chars[to - 1] == u' ')
                --to;
        return chars.mid(from, to - from);
    }
    QString value;
    qsizetype j = 0;
    for (const TMaskCell& cell : m_layout.cells)
        value += cell.input ? chars[j++] : cell.ch;
    return value;
}

void TMaskEdit::SetText(const QString& value) {
    if (m_parsed.IsEmpty() || value.isEmpty()) {
        m_put.Put(*this, m_parsed.IsEmpty() ? value : QString());
        return;
    }
    QString shown = FormatMaskText(m_editMask, value);
    for (size_t i = 0; i < m_layout.cells.size() && qsizetype(i) < shown.size(); ++i) {
        if (m_layout.cells[i].input && shown[qsizetype(i)] == u' ')
            shown[qsizetype(i)] = m_parsed.blank;
    }
    m_put.Put(*this, shown);
}

void TMaskEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Typing into an empty mask starts at its first position.
    if (!m_parsed.IsEmpty() && IsEmpty() && event->reason() != Qt::MouseFocusReason)
        home(false);
}

void TMaskEdit::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    // A click past what is typed would put the typing where the mask has no
    // room left for it: it goes on from the first empty position instead. A
    // click on a typed character stays there, to correct it.
    if (m_parsed.IsEmpty() || event->button() != Qt::LeftButton || hasSelectedText())
        return;
    const int firstEmpty = FirstEmptyPosition();
    if (firstEmpty >= 0 && cursorPosition() > firstEmpty)
        setCursorPosition(firstEmpty);
}

void TMaskEdit::ExitEdit() {
    // Shows the value as it is kept: with "!" the typed characters move to the end.
    if (m_layout.leadingBlanks && !IsEmpty())
        SetText(Text());
}
