#include "ore/ore06400/Cli_ore06400.h"

#include "ore/ore06400/ProcOrca.h"

#include <memory>

TfrmProcOrca::TfrmProcOrca(const TProcOrcaParams& params, QWidget* parent)
    : TModalForm(parent), m_params(params) {
    setObjectName(QStringLiteral("frmProcOrca"));
    setWindowTitle(QStringLiteral("ORE06400 - Processamento do Orçamento"));
    BuildData();
    BuildLayout();
    // Within an 800×600 desktop, frame and title bar included.
    resize(780, 560);
}

TfrmProcOrca::~TfrmProcOrca() = default;

void TfrmProcOrca::btnAtualizarClick() {
    Carrega();
}

void TfrmProcOrca::btnFecharClick() {
    SetModalResult(mrOk);
}

void CriaProcOrca(const QVariantList& params) {
    const TProcOrcaParams p = LeParametros(params);
    auto form = std::make_unique<TfrmProcOrca>(p);
    // An unknown budget is refused before anything is shown.
    form->Carrega();
    form->ShowModal();
}
