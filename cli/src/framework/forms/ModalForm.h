#pragma once

#include <QDialog>

// A dialog with a desktop form's modal result: a handler sets the result,
// which asks the dialog to close; the close takes effect once the handler has
// returned (from the event loop), so that work the handler does after setting
// the result runs with the dialog still on screen. A failure in that work
// leaves the result as set, and the dialog still closes.
//
// ShowModal returns the result; the opener reads it and then destroys the
// dialog (it is never deleted on close).
class TModalForm : public QDialog {
    Q_OBJECT
public:
    // Results as desktop forms number them.
    enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

    explicit TModalForm(QWidget* parent = nullptr);
    ~TModalForm() override;

    int ModalResult() const { return m_modalResult; }
    // A result other than mrNone asks the dialog to close after the running handler.
    void SetModalResult(int result);

    // Shows the dialog application-modal and returns its result when it has
    // closed; runs through TModalRunner, so tests drive it like the
    // framework's other modal windows.
    virtual int ShowModal();

protected:
    // The window's close box or Escape: a close with the result so far (mrCancel when none).
    void reject() override;

private:
    int m_modalResult = mrNone;
    bool m_closeQueued = false;
};
