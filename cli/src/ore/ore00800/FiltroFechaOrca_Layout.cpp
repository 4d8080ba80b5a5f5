// The filter dialog's controls, as the operator sees them: the ranges on
// top, two rows of list criteria under them, the situations beside all three
// rows, the free texts below; small enough for an 800x600 desktop.
// Controls are created in tab order, which Qt follows.

#include "ore/ore00800/Cli_ore00801.h"

#include "core/data/RecordSet.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DateEditPlus.h"
#include "framework/widgets/DisplayEdit.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/db/NamedQuery.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>

namespace {

template <class T> T* Named(QWidget* parent, const char* name) {
    auto* w = new T(parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QGroupBox* NewBox(QWidget* parent, const char* name, const QString& title) {
    auto* box = Named<QGroupBox>(parent, name);
    box->setTitle(title);
    return box;
}

QLabel* NewLabel(QWidget* parent, const QString& caption, QWidget* buddy) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    // Right-aligned, so that a short caption still ends beside its edit.
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

// A "de"/"até" pair of edits in a titled box, one above the other: side by
// side, three such boxes would not fit a row of an 800x600 desktop.
template <class TEdit>
QGroupBox* NewRangeBox(QWidget* parent, const char* name, const QString& title, TEdit*& de,
                       const char* deName, TEdit*& ate, const char* ateName) {
    QGroupBox* box = NewBox(parent, name, title);
    auto* rows = new QGridLayout(box);
    de = Named<TEdit>(box, deName);
    ate = Named<TEdit>(box, ateName);
    rows->addWidget(NewLabel(box, QStringLiteral("de"), de), 0, 0);
    rows->addWidget(de, 0, 1);
    rows->addWidget(NewLabel(box, QStringLiteral("até"), ate), 1, 0);
    rows->addWidget(ate, 1, 1);
    rows->setColumnStretch(1, 1);
    return box;
}

void AsDialogDate(TDateEditPlus* edit) {
    edit->SetWeekdayNames({"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"});
}

// "Todos" (checked) and "Lista" with the search button, disabled until
// "Lista" is chosen. The button is a tool button: it takes no focus.
QGroupBox* NewListBox(QWidget* parent, const char* name, const QString& title, QRadioButton*& todos,
                      const char* todosName, QRadioButton*& lista, const char* listaName,
                      QToolButton*& search, const char* searchName) {
    QGroupBox* box = NewBox(parent, name, title);
    auto* row = new QHBoxLayout(box);
    todos = Named<QRadioButton>(box, todosName);
    todos->setText(QStringLiteral("Todos"));
    todos->setChecked(true);
    lista = Named<QRadioButton>(box, listaName);
    lista->setText(QStringLiteral("Lista"));
    search = Named<QToolButton>(box, searchName);
    search->setIcon(box->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    search->setToolTip(QStringLiteral("Pesquisar"));
    search->setFocusPolicy(Qt::NoFocus);
    search->setEnabled(false);
    row->addWidget(todos);
    row->addWidget(lista);
    row->addWidget(search);
    return box;
}

QCheckBox* NewCheck(QGroupBox* box, const char* name, const QString& caption, bool enabled) {
    auto* check = Named<QCheckBox>(box, name);
    check->setText(caption);
    check->setEnabled(enabled);
    box->layout()->addWidget(check);
    return check;
}

TFieldDefs GerenteSupLayout() {
    return {StrField("CDVENDEDOR", 4).Label("Código"), StrField("NMFANVEN", 50).Label("Nome")};
}

} // namespace

void TfrmFiltroFechaOrca::BuildControls() {
    auto* grid = new QGridLayout(panFiltro);
    grid->setContentsMargins(0, 0, 0, 0); // the dialog's own margins are around it
    grbNrOrca = NewRangeBox(panFiltro, "grbNrOrca", QStringLiteral("Nr. Orçamento"), medOrcaDe,
                            "medOrcaDe", medOrcaAte, "medOrcaAte");
    for (TMaskEdit* edit : {medOrcaDe, medOrcaAte})
        edit->SetEditMask(QStringLiteral(">cccccccccc;0; ")); // budget numbers are text
    grbDtEvento = NewRangeBox(panFiltro, "grbDtEvento", QStringLiteral("Data do Evento"),
                              depDeEvento, "depDeEvento", depAteEvento, "depAteEvento");
    grbValidade = NewRangeBox(panFiltro, "grbValidade", QStringLiteral("Data de Validade"),
                              depDeEntrega, "depDeEntrega", depAteEntrega, "depAteEntrega");
    for (TDateEditPlus* edit : {depDeEvento, depAteEvento, depDeEntrega, depAteEntrega})
        AsDialogDate(edit);
    // Every box keeps the height of its contents (top-aligned in its cell).
    grid->addWidget(grbNrOrca, 0, 0, Qt::AlignTop);
    grid->addWidget(grbDtEvento, 0, 1, Qt::AlignTop);
    grid->addWidget(grbValidade, 0, 2, Qt::AlignTop);

    grbVendedor =
        NewListBox(panFiltro, "grbVendedor", QStringLiteral("Vendedor"), rbtTVendedor,
                   "rbtTVendedor", rbtLVendedor, "rbtLVendedor", sbtVendedor, "sbtVendedor");
    grbCliente = NewListBox(panFiltro, "grbCliente", QStringLiteral("Cliente"), rbtTCliente,
                            "rbtTCliente", rbtLCliente, "rbtLCliente", sbtCliente, "sbtCliente");
    gbrServico =
        NewListBox(panFiltro, "gbrServico", QStringLiteral("Tipo de Serviço"), rbtTTipoServ,
                   "rbtTTipoServ", rbtLTipoServ, "rbtLTipoServ", sbtFiliDest, "sbtFiliDest");
    grbSituacao = NewSituationBox();
    grbEvento =
        NewListBox(panFiltro, "grbEvento", QStringLiteral("Tipo de Evento"), rbtTTipoEven,
                   "rbtTTipoEven", rbtLTipoEven, "rbtLTipoEven", sbtTipoEven, "sbtTipoEven");
    grbProduto = NewListBox(panFiltro, "grbProduto", QStringLiteral("Produtos"), rbtTProduto,
                            "rbtTProduto", rbtLProduto, "rbtLProduto", sbtProduto, "sbtProduto");
    grbMaodeObra = NewListBox(panFiltro, "grbMaodeObra", QStringLiteral("Mão de Obra"), rbtTMaoObra,
                              "rbtTMaoObra", rbtLMaoObra, "rbtLMaoObra", sbtMaoObra, "sbtMaoObra");
    grid->addWidget(grbVendedor, 1, 0, Qt::AlignTop);
    grid->addWidget(grbCliente, 1, 1, Qt::AlignTop);
    grid->addWidget(gbrServico, 1, 2, Qt::AlignTop);
    grid->addWidget(grbSituacao, 0, 3, 3, 1, Qt::AlignTop);
    grid->addWidget(grbEvento, 2, 0, Qt::AlignTop);
    grid->addWidget(grbProduto, 2, 1, Qt::AlignTop);
    grid->addWidget(grbMaodeObra, 2, 2, Qt::AlignTop);
    for (int column = 0; column < 3; ++column)
        grid->setColumnStretch(column, 1);
    AddTextRows(grid, 3);
}

QGroupBox* TfrmFiltroFechaOrca::NewSituationBox() {
    QGroupBox* box = NewBox(panFiltro, "grbSituacao", QStringLiteral("Situação"));
    new QVBoxLayout(box);
    // Only approved and closed budgets can be closed or listed here.
    chbPendente = NewCheck(box, "chbPendente", QStringLiteral("Pendente"), false);
    chbAprovado = NewCheck(box, "chbAprovado", QStringLiteral("Aprovado"), true);
    chbAprovado->setChecked(true);
    chbFechado = NewCheck(box, "chbFechado", QStringLiteral("Fechado"), true);
    chbExecProd = NewCheck(box, "chbExecProd", QStringLiteral("Exec. Produção"), false);
    chbExecMate = NewCheck(box, "chbExecMate", QStringLiteral("Exec. Materias"), false);
    chbExecTotal = NewCheck(box, "chbExecTotal", QStringLiteral("Exec. Totalmente"), false);
    chbEncerrado = NewCheck(box, "chbEncerrado", QStringLiteral("Encerrado"), false);
    chbCancelado = NewCheck(box, "chbCancelado", QStringLiteral("Cancelado"), false);
    return box;
}

void TfrmFiltroFechaOrca::AddTextRows(QGridLayout* grid, int row) {
    edtNovoClie = Named<QLineEdit>(panFiltro, "edtNovoClie");
    edtTitulo = Named<QLineEdit>(panFiltro, "edtTitulo");
    edtCdVendedor = Named<QLineEdit>(panFiltro, "edtCdVendedor");
    edtCdVendedor->setMaxLength(4);
    btnGerenteSup = Named<TBtnPesquisa>(panFiltro, "btnGerenteSup");
    edtNmVendedor = Named<QLineEdit>(panFiltro, "edtNmVendedor");
    // Only shows the name of the code typed or picked, readably.
    SetDisplayOnly(edtNmVendedor);

    // Captions in a column of their own, each beside its edit, under the boxes.
    auto* texts = new QGridLayout;
    texts->addWidget(NewLabel(panFiltro, QStringLiteral("Novo Cliente"), edtNovoClie), 0, 0);
    texts->addWidget(edtNovoClie, 0, 1);
    texts->addWidget(NewLabel(panFiltro, QStringLiteral("Título"), edtTitulo), 1, 0);
    texts->addWidget(edtTitulo, 1, 1);
    texts->addWidget(NewLabel(panFiltro, QStringLiteral("Gerente/Supervisor"), edtCdVendedor), 2,
                     0);
    auto* manager = new QHBoxLayout;
    // Four characters: the code edit need not be wider than a code.
    edtCdVendedor->setMaximumWidth(
        edtCdVendedor->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")) + 16);
    manager->addWidget(edtCdVendedor);
    manager->addWidget(btnGerenteSup);
    manager->addWidget(edtNmVendedor, 1);
    texts->addLayout(manager, 2, 1);
    texts->setColumnStretch(1, 1);
    grid->addLayout(texts, row, 0, 1, 4);
}

void TfrmFiltroFechaOrca::BuildManagerSets() {
    cdsGerenteSup = new TRecordSet(GerenteSupLayout(), this);
    cdsGerenteSup->setObjectName(QStringLiteral("cdsGerenteSup"));
    dtsGerenteSup = NewDataSource(this, "dtsGerenteSup", cdsGerenteSup);
    cdsVdGerenteSup = new TRecordSet(GerenteSupLayout(), this);
    cdsVdGerenteSup->setObjectName(QStringLiteral("cdsVdGerenteSup"));

    btnGerenteSup->SetAssociate(edtCdVendedor);
    btnGerenteSup->SetTitle(QStringLiteral("Gerente/Supervisor"));
    btnGerenteSup->SetDataSource(dtsGerenteSup);
    btnGerenteSup->SetEmptyError(
        QStringLiteral("Não há vendedor cadastrado como gerente ou supervisor."));
}
