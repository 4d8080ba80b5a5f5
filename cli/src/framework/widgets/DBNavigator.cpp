#include "framework/widgets/DBNavigator.h"

#include "core/data/DataSet.h"
#include "core/data/DataSource.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/DataSetActions.h"

#include <QHBoxLayout>
#include <QToolButton>

TDBNavigator::TDBNavigator(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    AddButton(TNavigateBtn::First, QStringLiteral("btnFirst"), QStringLiteral("|◀"),
              QStringLiteral("Primeiro"));
    AddButton(TNavigateBtn::Prior, QStringLiteral("btnPrior"), QStringLiteral("◀"),
              QStringLiteral("Anterior"));
    AddButton(TNavigateBtn::Next, QStringLiteral("btnNext"), QStringLiteral("▶"),
              QStringLiteral("Próximo"));
    AddButton(TNavigateBtn::Last, QStringLiteral("btnLast"), QStringLiteral("▶|"),
              QStringLiteral("Último"));
    AddButton(TNavigateBtn::Insert, QStringLiteral("btnInsert"), QStringLiteral("+"),
              QStringLiteral("Incluir"));
    AddButton(TNavigateBtn::Delete, QStringLiteral("btnDelete"), QStringLiteral("−"),
              QStringLiteral("Excluir"));
    AddButton(TNavigateBtn::Edit, QStringLiteral("btnEdit"), QStringLiteral("✎"),
              QStringLiteral("Alterar"));
    AddButton(TNavigateBtn::Post, QStringLiteral("btnPost"), QStringLiteral("✔"),
              QStringLiteral("Confirmar"));
    AddButton(TNavigateBtn::Cancel, QStringLiteral("btnCancel"), QStringLiteral("✖"),
              QStringLiteral("Cancelar"));
    AddButton(TNavigateBtn::Refresh, QStringLiteral("btnRefresh"), QStringLiteral("↻"),
              QStringLiteral("Atualizar"));
    layout->addStretch();
    SetVisibleButtons(TNavButtons::fromInt(0x3ff));
}

void TDBNavigator::AddButton(TNavigateBtn button, const QString& name, const QString& glyph,
                             const QString& hint) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(glyph);
    b->setToolTip(hint);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    connect(b, &QToolButton::clicked, this, [this, button] { BtnClick(button); });
    layout()->addWidget(b);
    m_buttons[button] = b;
}

void TDBNavigator::SetDataSource(TDataSource* source) {
    if (m_source)
        disconnect(m_source, nullptr, this, nullptr);
    m_source = source;
    if (m_source) {
        connect(m_source, &TDataSource::stateChanged, this, &TDBNavigator::UpdateButtons);
        connect(m_source, &TDataSource::dataChanged, this, &TDBNavigator::UpdateButtons);
    }
    UpdateButtons();
}

void TDBNavigator::SetVisibleButtons(TNavButtons buttons) {
    m_visible = buttons;
    for (auto& [id, b] : m_buttons)
        b->setVisible(buttons.testFlag(id));
    UpdateButtons();
}

bool TDBNavigator::Allowed(TNavigateBtn button) const {
    const TDataSet* ds = m_source ? m_source->DataSet() : nullptr;
    if (!ds || !ds->Active())
        return false;
    const bool editing = ds->State() == TDataSetState::Edit || ds->State() == TDataSetState::Insert;
    switch (button) {
    case TNavigateBtn::First:
    case TNavigateBtn::Prior:
        return ds->RecNo() > 1;
    case TNavigateBtn::Next:
    case TNavigateBtn::Last:
        return ds->RecNo() < ds->RecordCount();
    case TNavigateBtn::Insert:
        return CanModify(*ds) && !editing;
    case TNavigateBtn::Delete:
        return CanModify(*ds) && !ds->IsEmpty() && ds->State() != TDataSetState::Insert;
    case TNavigateBtn::Edit:
        return CanModify(*ds) && !editing;
    case TNavigateBtn::Post:
    case TNavigateBtn::Cancel:
        return editing;
    case TNavigateBtn::Refresh:
        return CanRefresh(*ds) && !editing;
    }
    return false;
}

void TDBNavigator::UpdateButtons() {
    for (auto& [id, b] : m_buttons)
        b->setEnabled(Allowed(id));
}

void TDBNavigator::BtnClick(TNavigateBtn button) {
    Dispatch([&] {
        if (BeforeAction)
            BeforeAction(*this, button);
        Run(button);
        if (OnClick)
            OnClick(*this, button);
    });
}

void TDBNavigator::Run(TNavigateBtn button) {
    TDataSet* ds = m_source ? m_source->DataSet() : nullptr;
    if (!ds)
        return;
    switch (button) {
    case TNavigateBtn::First:
        ds->First();
        break;
    case TNavigateBtn::Prior:
        ds->Prior();
        break;
    case TNavigateBtn::Next:
        ds->Next();
        break;
    case TNavigateBtn::Last:
        ds->Last();
        break;
    case TNavigateBtn::Insert:
        ds->Insert();
        break;
    case TNavigateBtn::Delete:
        DeleteCurrentRecord(*ds, m_confirmDelete);
        break;
    case TNavigateBtn::Edit:
        ds->Edit();
        break;
    case TNavigateBtn::Post:
        ds->Post();
        break;
    case TNavigateBtn::Cancel:
        ds->Cancel();
        break;
    case TNavigateBtn::Refresh:
        RefreshDataSet(*ds);
        break;
    }
}
