#include "framework/widgets/ProgramText.h"

#include <QLineEdit>

void TProgramText::Put(QLineEdit& edit, const QString& text) {
    // Typing leaves an undo step; the operator's box with the focus is always
    // put again, as it would be by setText (the cursor to the end).
    const bool untouched = !edit.hasFocus() && !edit.isUndoAvailable() && !edit.isRedoAvailable() &&
                           !edit.hasSelectedText();
    if (m_held && untouched && text == m_put && edit.displayText() == m_shown)
        return;
    edit.setText(text);
    m_held = true;
    m_put = text;
    m_shown = edit.displayText();
}
