#pragma once

#include "core/data/EditMask.h"
#include "framework/widgets/ProgramText.h"

#include <QLineEdit>

// A line edit entered through an edit mask of the host's notation (see
// EditMask.h). The mask is run by Qt's input mask; what Qt has no notion of
// is done here: the "!" rule (missing characters go to the start) and the
// value without literals.
class TMaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TMaskEdit(QWidget* parent = nullptr);

    const QString& EditMask() const { return m_editMask; }
    void SetEditMask(const QString& editMask);

    // The value: the typed characters, blanks as spaces, with the literals when
    // the mask saves them; "" when nothing is typed. Without a mask, the text.
    QString Text() const;
    // Shows `value` as FormatMaskText shows it.
    void SetText(const QString& value);
    // Nothing typed in any position of the mask (or no text at all).
    bool IsEmpty() const;
    // Every required position of the mask is typed.
    bool IsComplete() const;

protected:
    void focusInEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // What leaving the control does: the focus tracker runs it once the focus
    // has gone, before the screen's exit handler (an exception keeps the
    // operator here).
    virtual void ExitEdit();

private:
    QString InputCharacters() const; // one per input position, blanks as spaces
    int FirstEmptyPosition() const;  // in the text shown; -1 when every position is typed

    QString m_editMask;
    TEditMask m_parsed;
    TMaskLayout m_layout;
    TProgramText m_put;
};
