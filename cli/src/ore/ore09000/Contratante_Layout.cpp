// The contracting-client screen's controls, sized for an 800×600 desktop.

#include "ore/ore09000/Contratante_Form.h"
#include "ore/ore09000/Contratante_Named.h"

#include "core/data/RecordSet.h"
#include "framework/db/AdoIbQuery.h"
#include "framework/services/Dispatch.h"
#include "framework/services/FocusTracker.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DisplayEdit.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

QLabel* Figure(QWidget* parent, const char* name) {
    auto* l = Named(new QLabel(parent), name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("000.000.000,00")));
    return l;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& text) {
    auto* b = Named(new QPushButton(text, parent), name);
    b->setAutoDefault(false);
    // A click takes no focus, as on a tool bar: the handler checks the entry
    // itself, instead of the entry's exit check running first and again.
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

} // namespace

TfrmContratante::TfrmContratante(const TContratanteChave& chave, QWidget* parent)
    : TModalForm(parent), m_chave(chave) {
    setObjectName(QStringLiteral("frmContratante"));
    setWindowTitle(QStringLiteral("ORE09000 - Contratantes do Orçamento"));
    CreateData();
    BuildLayout();
    BindEvents();
}

TfrmContratante::~TfrmContratante() = default;

void TfrmContratante::BuildLayout() {
    auto* main = new QVBoxLayout(this);
    lblOrcamento = Named(new QLabel(this), "lblOrcamento");
    QFont bold = lblOrcamento->font();
    bold.setBold(true);
    lblOrcamento->setFont(bold);
    main->addWidget(lblOrcamento);

    grdContratantes = Named(new TDBGrid(this), "grdContratantes");
    grdContratantes->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::Indicator |
                                TGridOption::ColLines | TGridOption::RowLines |
                                TGridOption::RowSelect | TGridOption::AlwaysShowSelection);
    grdContratantes->SetDataSource(dtsContratantes);
    main->addWidget(grdContratantes, 1);
    // The figures under the list, where they read as its sums.
    auto* totais = new QHBoxLayout;
    totais->addWidget(BuildTotais());
    totais->addStretch(1);
    main->addLayout(totais);

    lblSomenteLeitura = Named(new QLabel(this), "lblSomenteLeitura");
    lblSomenteLeitura->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblSomenteLeitura->setWordWrap(true);
    lblSomenteLeitura->hide();
    main->addWidget(lblSomenteLeitura);
    main->addWidget(BuildEntrada());

    auto* buttons = new QHBoxLayout;
    btnIncluir = Button(this, "btnIncluir", QStringLiteral("&Incluir"));
    btnAlterar = Button(this, "btnAlterar", QStringLiteral("&Alterar"));
    btnCancelarContrat =
        Button(this, "btnCancelarContrat", QStringLiteral("Cancelar &Contratante"));
    btnFechar = Button(this, "btnFechar", QStringLiteral("&Fechar"));
    buttons->addWidget(btnIncluir);
    buttons->addWidget(btnAlterar);
    buttons->addWidget(btnCancelarContrat);
    buttons->addStretch(1);
    buttons->addWidget(btnFechar);
    main->addLayout(buttons);
    // Fits an 800×600 desktop with the window's frame and title.
    resize(780, 520);
}

QGroupBox* TfrmContratante::BuildTotais() {
    auto* box =
        Named(new QGroupBox(QStringLiteral("Orçamento x Contratantes ativos"), this), "grbTotais");
    auto* g = new QGridLayout(box);
    const QStringList heads = {QString(), QStringLiteral("Orçamento"), QStringLiteral("Ativos"),
                               QStringLiteral("Diferença")};
    for (int c = 1; c < heads.size(); ++c) {
        auto* h = new QLabel(heads[c], box);
        h->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(h, 0, c);
    }
    g->addWidget(new QLabel(QStringLiteral("Valor"), box), 1, 0);
    g->addWidget(lblVrTotalOrca = Figure(box, "lblVrTotalOrca"), 1, 1);
    g->addWidget(lblVrSomaAtivos = Figure(box, "lblVrSomaAtivos"), 1, 2);
    g->addWidget(lblVrDiferenca = Figure(box, "lblVrDiferenca"), 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Convidados"), box), 2, 0);
    g->addWidget(lblQtConvOrca = Figure(box, "lblQtConvOrca"), 2, 1);
    g->addWidget(lblQtConvAtivos = Figure(box, "lblQtConvAtivos"), 2, 2);
    g->addWidget(lblQtConvDiferenca = Figure(box, "lblQtConvDiferenca"), 2, 3);
    g->addWidget(new QLabel(QStringLiteral("Contratantes"), box), 3, 0);
    g->addWidget(lblQtContratOrca = Figure(box, "lblQtContratOrca"), 3, 1);
    g->addWidget(lblQtContratAtivos = Figure(box, "lblQtContratAtivos"), 3, 2);
    g->addWidget(lblQtContratDiferenca = Figure(box, "lblQtContratDiferenca"), 3, 3);
    lblAvisoTotais = Named(new QLabel(box), "lblAvisoTotais");
    lblAvisoTotais->setStyleSheet(QStringLiteral("color: #b00000;"));
    lblAvisoTotais->setWordWrap(true);
    lblAvisoTotais->hide();
    g->addWidget(lblAvisoTotais, 4, 0, 1, 4);
    g->setRowStretch(5, 1);
    return box;
}

QGroupBox* TfrmContratante::BuildEntrada() {
    grbContratante = Named(new QGroupBox(QStringLiteral("Contratante"), this), "grbContratante");
    auto* g = new QGridLayout(grbContratante);
    edtCliente = Named(new QLineEdit(grbContratante), "edtCliente");
    edtCliente->setToolTip(QStringLiteral("Inscrição do cliente (F9 pesquisa)"));
    edtCliente->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,20}")), edtCliente));
    BtnPesquisaCliente = Named(new TBtnPesquisa(grbContratante), "BtnPesquisaCliente");
    BtnPesquisaCliente->setToolTip(QStringLiteral("Pesquisar"));
    BtnPesquisaCliente->SetTitle(QStringLiteral("Cliente"));
    BtnPesquisaCliente->SetAssociate(edtCliente);
    BtnPesquisaCliente->SetDataSource(dtsCliente);
    BtnPesquisaCliente->SetEmptyError(QStringLiteral("Não há cliente cadastrado."));
    edtNomeCliente = Named(new QLineEdit(grbContratante), "edtNomeCliente");
    SetDisplayOnly(edtNomeCliente);

    edtValor = Named(new QLineEdit(grbContratante), "edtValor");
    edtValor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A budget below zero is shared as credits: negative values are allowed.
    edtValor->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[\\d.]{0,15}(,\\d{0,2})?")), edtValor));
    edtConvidados = Named(new QLineEdit(grbContratante), "edtConvidados");
    edtConvidados->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edtConvidados->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{0,6}")), edtConvidados));
    edtEmpresa = Named(new QLineEdit(grbContratante), "edtEmpresa");
    edtEmpresa->setMaxLength(4);
    edtEmpresa->setToolTip(QStringLiteral("Empresa de faturamento (F9 pesquisa)"));
    BtnPesquisaEmpresa = Named(new TBtnPesquisa(grbContratante), "BtnPesquisaEmpresa");
    BtnPesquisaEmpresa->setToolTip(QStringLiteral("Pesquisar"));
    BtnPesquisaEmpresa->SetTitle(QStringLiteral("Empresa"));
    BtnPesquisaEmpresa->SetAssociate(edtEmpresa);
    BtnPesquisaEmpresa->SetDataSource(dtsEmpresa);
    BtnPesquisaEmpresa->SetEmptyError(
        QStringLiteral("Não há empresa de faturamento para a filial."));
    edtNomeEmpresa = Named(new QLineEdit(grbContratante), "edtNomeEmpresa");
    SetDisplayOnly(edtNomeEmpresa);

    const int digits = edtValor->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000"));
    edtCliente->setFixedWidth(digits + 20);
    edtValor->setFixedWidth(digits);
    edtConvidados->setFixedWidth(digits / 2);
    edtEmpresa->setFixedWidth(digits / 2);

    g->addWidget(new QLabel(QStringLiteral("Cliente"), grbContratante), 0, 0);
    auto* cliente = new QHBoxLayout;
    cliente->addWidget(edtCliente);
    cliente->addWidget(BtnPesquisaCliente);
    cliente->addWidget(edtNomeCliente, 1);
    g->addLayout(cliente, 0, 1, 1, 5);
    g->addWidget(new QLabel(QStringLiteral("Valor"), grbContratante), 1, 0);
    g->addWidget(edtValor, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Convidados"), grbContratante), 1, 2);
    g->addWidget(edtConvidados, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Empresa"), grbContratante), 1, 4);
    auto* empresa = new QHBoxLayout;
    empresa->addWidget(edtEmpresa);
    empresa->addWidget(BtnPesquisaEmpresa);
    empresa->addWidget(edtNomeEmpresa, 1);
    g->addLayout(empresa, 1, 5);
    g->setColumnStretch(5, 1);
    return grbContratante;
}

void TfrmContratante::BindEvents() {
    auto click = [this](QPushButton* b, void (TfrmContratante::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { Dispatch([&] { (this->*handler)(); }); });
    };
    click(btnIncluir, &TfrmContratante::btnIncluirClick);
    click(btnAlterar, &TfrmContratante::btnAlterarClick);
    click(btnCancelarContrat, &TfrmContratante::btnCancelarContratClick);
    click(btnFechar, &TfrmContratante::btnFecharClick);
    cdsContratantes->AfterScroll = [this](TDataSet&) { grdContratantesScroll(); };
    TFocusTracker::Instance().SetOnExit(edtCliente, [this] { edtClienteExit(); });
    TFocusTracker::Instance().SetOnExit(edtEmpresa, [this] { edtEmpresaExit(); });
    BtnPesquisaCliente->SetKeyField(QStringLiteral("NRINSJURCLIE"));
    BtnPesquisaCliente->OnBeforePesq = [this](TBtnPesquisa&, bool&) { qryCliente->Close(); };
    BtnPesquisaCliente->OnAfterPesq = [this](TBtnPesquisa&) { BtnPesquisaClienteAfterPesq(); };
    BtnPesquisaEmpresa->SetKeyField(QStringLiteral("CDEMPRESA"));
    BtnPesquisaEmpresa->OnBeforePesq = [this](TBtnPesquisa&, bool&) {
        qryEmpresa->Close();
        qryEmpresa->ParamByName(QStringLiteral("P_CDFILIAL")).SetAsString(m_chave.filial);
    };
    BtnPesquisaEmpresa->OnAfterPesq = [this](TBtnPesquisa&) { BtnPesquisaEmpresaAfterPesq(); };
}
