#include "framework/widgets/BtnPesquisa.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/DataSetActions.h"
#include "framework/widgets/ModalRunner.h"
#include "framework/widgets/frmPesquisa.h"

#include <QKeyEvent>
#include <QLineEdit>

TBtnPesquisa::TBtnPesquisa(QWidget* parent) : QToolButton(parent) {
    setText(QStringLiteral("..."));
    setToolTip(QStringLiteral("Pesquisar"));
    setFocusPolicy(Qt::NoFocus); // clicking it must not take the focus from the edit
    connect(this, &QToolButton::clicked, this, &TBtnPesquisa::Pesquisar);
}

void TBtnPesquisa::SetAssociate(QLineEdit* edit) {
    if (m_associate)
        m_associate->removeEventFilter(this);
    m_associate = edit;
    if (m_associate)
        m_associate->installEventFilter(this);
}

bool TBtnPesquisa::eventFilter(QObject* watched, QEvent* event) {
    // The event type first: the edit sends events while it is being destroyed,
    // when reading the guarded pointer would downcast a half-destroyed object.
    if (event->type() == QEvent::KeyPress && watched == m_associate &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9 && isEnabled()) {
        Pesquisar();
        return true;
    }
    return QToolButton::eventFilter(watched, event);
}

void TBtnPesquisa::Pesquisar() {
    Dispatch([this] { Run(); });
}

void TBtnPesquisa::Run() {
    bool allow = true;
    if (OnBeforePesq)
        OnBeforePesq(*this, allow);
    if (!allow)
        return;
    TDataSet* ds = m_source ? m_source->DataSet() : nullptr;
    if (!ds || ds->FieldCount() == 0)
        throw Exception(QStringLiteral("%1: não há dados para pesquisar.").arg(objectName()));
    OpenIfClosed(*ds);
    if (ds->IsEmpty() && !m_emptyError.isEmpty())
        MensErro(m_emptyError, true);
    const TField& key = m_keyField.isEmpty() ? ds->Fields(0) : ds->FieldByName(m_keyField);

    TfrmPesquisa window(m_source, m_title, this->window());
    if (TModalRunner::Exec(window) != QDialog::Accepted || window.SelectedRecNo() == 0)
        return;
    ds->SetRecNo(window.SelectedRecNo());
    if (m_associate)
        m_associate->setText(key.AsString());
    if (OnAfterPesq)
        OnAfterPesq(*this);
}
