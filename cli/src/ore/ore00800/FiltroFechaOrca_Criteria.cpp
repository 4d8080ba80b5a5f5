// The criteria while the operator edits them: loading from Filtro and writing
// back, the list criteria's radios and F9, and the exits that normalise codes.

#include "ore/ore00800/Cli_ore00801.h"

#include "framework/services/Dispatch.h"
#include "framework/services/FocusTracker.h"
#include "framework/services/HostText.h"
#include "framework/widgets/DateEditPlus.h"
#include "framework/widgets/MaskEdit.h"
#include "ore/ore00800/model/Filtro.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

void TfrmFiltroFechaOrca::BindHandlers() {
    // In the order the criteria are loaded, written and checked.
    m_criteria = {{
        {rbtTVendedor, rbtLVendedor, sbtVendedor, &stVendedor, "LVendedor",
         &TfrmFiltroFechaOrca::sbtVendedorClick,
         [](TFiltro& f) {
             return TFiltroSlot{f.CdVend.boTodos, f.CdVend.stVend};
         }},
        {rbtTCliente, rbtLCliente, sbtCliente, &stCliente, "LCliente",
         &TfrmFiltroFechaOrca::sbtClienteClick,
         [](TFiltro& f) {
             return TFiltroSlot{f.CdClie.boTodos, f.CdClie.stClie};
         }},
        {rbtTTipoServ, rbtLTipoServ, sbtFiliDest, &stTipoServ, "LTipoServ",
         &TfrmFiltroFechaOrca::sbtFiliDestClick,
         [](TFiltro& f) {
             return TFiltroSlot{f.CdServ.boTodos, f.CdServ.stTpServ};
         }},
        {rbtTTipoEven, rbtLTipoEven, sbtTipoEven, &stTipoEven, "LTipoEven",
         &TfrmFiltroFechaOrca::sbtTipoEvenClick,
         [](TFiltro& f) {
             return TFiltroSlot{f.CdEven.boTodos, f.CdEven.stTpEven};
         }},
        {rbtTProduto, rbtLProduto, sbtProduto, &stProduto, "LProduto",
         &TfrmFiltroFechaOrca::sbtProdutoClick,
         [](TFiltro& f) {
             return TFiltroSlot{f.CdProd.boTodos, f.CdProd.stProd};
         }},
        {rbtTMaoObra, rbtLMaoObra, sbtMaoObra, &stMaoObra, "LMaoObra",
         &TfrmFiltroFechaOrca::sbtMaoObraClick,
         [](TFiltro& f) {
             return TFiltroSlot{f.CdObra.boTodos, f.CdObra.stObra};
         }},
    }};
    for (const TCriterion& c : m_criteria) {
        // Toggled, not clicked: radios set by the program (loading Filtro or
        // an option set) keep their button in step too.
        for (QRadioButton* radio : {c.todos, c.lista})
            connect(radio, &QRadioButton::toggled, this, [this, &c] { SyncSearchButton(c); });
        connect(c.search, &QToolButton::clicked, this,
                [this, &c] { Dispatch([this, &c] { (this->*c.onSearch)(); }); });
        c.lista->installEventFilter(this);
    }

    // The date edits check their own date on exit.
    TFocusTracker& focus = TFocusTracker::Instance();
    focus.SetOnExit(medOrcaDe, [this] { medDeIntervaloExit(); });
    focus.SetOnExit(medOrcaAte, [this] { medOrcaAteExit(); });
    focus.SetOnExit(edtCdVendedor, [this] { Vd_GerenteSup(); });
    connect(edtCdVendedor, &QLineEdit::textChanged, this, [this] { edtCdVendedorChange(); });
}

void TfrmFiltroFechaOrca::SyncSearchButton(const TCriterion& criterion) {
    criterion.search->setEnabled(criterion.lista->isChecked());
}

bool TfrmFiltroFechaOrca::eventFilter(QObject* watched, QEvent* event) {
    // F9 on a "Lista" radio searches as its button would, whatever modifiers
    // are held; the key goes on to the radio.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9) {
        for (const TCriterion& c : m_criteria) {
            if (watched == c.lista) {
                Dispatch([this, &c] { (this->*c.onSearch)(); });
                break;
            }
        }
    }
    return TfrmFiltroPadrao::eventFilter(watched, event);
}

void TfrmFiltroFechaOrca::FormActivate() {
    update();
    LoadFromFiltro();
}

void TfrmFiltroFechaOrca::LoadFromFiltro() {
    medOrcaDe->SetText(Filtro.NrOrca.stDe);
    medOrcaAte->SetText(Filtro.NrOrca.stAte);
    depDeEvento->SetDate(Filtro.DtEven.dtDe);
    depAteEvento->SetDate(Filtro.DtEven.dtAte);
    depDeEntrega->SetDate(Filtro.DtVali.dtDe);
    depAteEntrega->SetDate(Filtro.DtVali.dtAte);
    for (const TCriterion& c : m_criteria) {
        const TFiltroSlot slot = c.slot(Filtro);
        c.todos->setChecked(slot.boTodos);
        c.lista->setChecked(!slot.boTodos);
        *c.list = slot.list;
    }
    chbAprovado->setChecked(Filtro.IdSitu.contains(u'2'));
    chbFechado->setChecked(Filtro.IdSitu.contains(u'3'));
    edtNovoClie->setText(Filtro.NmNovoClie);
    edtTitulo->setText(Filtro.DsTitulo);
    // The code first: writing it empties the name.
    edtCdVendedor->setText(Filtro.CdGerenteSup);
    edtNmVendedor->setText(Filtro.NmGerenteSup);
}

void TfrmFiltroFechaOrca::SaveToFiltro() const {
    Filtro.NrOrca.stDe = medOrcaDe->Text();
    Filtro.NrOrca.stAte = medOrcaAte->Text();
    Filtro.DtEven.dtDe = depDeEvento->GetDate();
    Filtro.DtEven.dtAte = depAteEvento->GetDate();
    Filtro.DtVali.dtDe = depDeEntrega->GetDate();
    Filtro.DtVali.dtAte = depAteEntrega->GetDate();
    QString situacoes;
    if (chbPendente->isChecked())
        situacoes = QStringLiteral("1");
    if (chbAprovado->isChecked())
        situacoes += u'2';
    if (chbFechado->isChecked())
        situacoes += u'3';
    Filtro.IdSitu = situacoes;
    // The list goes along whichever radio is checked; the retrieval ignores
    // it for "Todos".
    for (const TCriterion& c : m_criteria) {
        const TFiltroSlot slot = c.slot(Filtro);
        slot.boTodos = c.todos->isChecked();
        slot.list = *c.list;
    }
    Filtro.NmNovoClie = edtNovoClie->text();
    Filtro.DsTitulo = edtTitulo->text();
    Filtro.CdGerenteSup = edtCdVendedor->text();
    Filtro.NmGerenteSup = edtNmVendedor->text();
}

void TfrmFiltroFechaOrca::medDeIntervaloExit() {
    medOrcaDe->SetText(Ajusta(medOrcaDe->Text(), 10));
    // A single number is a range of one.
    if (EmptyString(medOrcaAte->Text()))
        medOrcaAte->SetText(medOrcaDe->Text());
}

void TfrmFiltroFechaOrca::medOrcaAteExit() {
    medOrcaAte->SetText(Ajusta(medOrcaAte->Text(), 10));
}

void TfrmFiltroFechaOrca::edtCdVendedorChange() {
    // The name shown belongs to the code it was looked up for.
    edtNmVendedor->clear();
}

void TfrmFiltroFechaOrca::sbtLimpaClick() {
    // Forgets the picked lists only; the labour list and the controls stay.
    stVendedor.clear();
    stCliente.clear();
    stProduto.clear();
    stTipoEven.clear();
    stTipoServ.clear();
}
