#include "framework/forms/ModalForm.h"

#include "framework/services/Dispatch.h"
#include "framework/widgets/ModalRunner.h"

#include <QPointer>

TModalForm::TModalForm(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

TModalForm::~TModalForm() = default;

void TModalForm::SetModalResult(int result) {
    m_modalResult = result;
    if (result == mrNone || m_closeQueued)
        return;
    m_closeQueued = true;
    AfterHandlers([self = QPointer<TModalForm>(this)] {
        if (!self)
            return;
        self->m_closeQueued = false;
        if (self->m_modalResult != mrNone && self->isVisible())
            self->done(self->m_modalResult);
    });
}

int TModalForm::ShowModal() {
    setWindowModality(Qt::ApplicationModal);
    TModalRunner::Exec(*this);
    return m_modalResult;
}

void TModalForm::reject() {
    if (m_modalResult == mrNone)
        m_modalResult = mrCancel;
    QDialog::reject();
}
