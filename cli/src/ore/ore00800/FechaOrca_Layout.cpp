// The closing screen's controls, menus and connections, as laid out on top
// of the base screen's, and the wiring of its handlers.

#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/FechaOrca_DetailControls.h"

#include "core/data/DataSource.h"
#include "core/data/RecordSet.h"
#include "framework/net/NetConnection.h"
#include "framework/services/Dispatch.h"
#include "framework/services/FocusTracker.h"
#include "framework/services/Messages.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/DBText.h"
#include "framework/widgets/DisplayEdit.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/CheckImages.h"
#include "ore/ore00800/PictureBox.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

void Bold(QWidget* w) {
    QFont f = w->font();
    f.setBold(true);
    w->setFont(f);
}

void Name(QObject* o, const char* name) {
    o->setObjectName(QLatin1String(name));
}

TTabSheet* Page(TPageControl* control, const char* name, const QString& caption) {
    auto* page = new TTabSheet(control, caption);
    Name(page, name);
    return page;
}

TPictureBox* HiddenPicture(QWidget* parent, const char* name, const QPixmap& picture) {
    auto* box = new TPictureBox(parent);
    Name(box, name);
    box->SetPicture(picture);
    box->setFixedSize(16, 16);
    box->hide();
    return box;
}

} // namespace

void TfrmFechaOrca::BuildToolBar() {
    sbtFiltro = AddToolButton(QStringLiteral("sbtFiltro"), QStringLiteral("Filtrar"),
                              QStringLiteral("Filtrar"));
    sbtFecharOrca = AddToolButton(QStringLiteral("sbtFecharOrca"), QStringLiteral("Fechar"),
                                  QStringLiteral("Fechar"));
    Bold(sbtFecharOrca);
    btnContratante = AddToolButton(QStringLiteral("btnContratante"), QStringLiteral("Contratante"),
                                   QStringLiteral("Contratante"));
    btnContratante->setEnabled(false);
    sbtImprimir->setEnabled(false);
    OnClick(sbtFiltro, [this] { sbtFiltroClick(); });
    OnClick(btnContratante, [this] { btnContratanteClick(); });
    OnClick(sbtFecharOrca, [this] { sbtFecharOrcaClick(); });
}

void TfrmFechaOrca::BuildMenus() {
    auto goTo = [this](TTabSheet* const* page) { return [this, page] { ShowPage(*page); }; };
    mnuItens = AddMenuAction(mnuOperacao, QStringLiteral("mnuItens"), QStringLiteral("I&tens"), {},
                             goTo(&tshItens));
    mnuMaoObra = AddMenuAction(mnuOperacao, QStringLiteral("mnuMaoObra"),
                               QStringLiteral("&Mão de Obra"), {}, goTo(&tshMaoObra));
    mnuDadosAdic = AddMenuAction(mnuOperacao, QStringLiteral("mnuDadosAdic"),
                                 QStringLiteral("&Dados Adicionais"), {}, goTo(&tshDadosAdic));
    mnuObservacao = new QMenu(QStringLiteral("&Observação"), mnuOperacao);
    Name(mnuObservacao, "mnuObservacao");
    mnuOperacao->insertMenu(mnuListagem, mnuObservacao);
    mnuObsInt = AddMenuAction(mnuObservacao, QStringLiteral("mnuObsInt"),
                              QStringLiteral("&Interna"), {}, [this] {
                                  pgcObservacao->SetActivePage(tshObsInt);
                                  ShowPage(tshObservacao);
                              });
    mnuObsExt = AddMenuAction(mnuObservacao, QStringLiteral("mnuObsExt"),
                              QStringLiteral("&Externa"), {}, [this] {
                                  pgcObservacao->SetActivePage(tshObsExt);
                                  ShowPage(tshObservacao);
                              });
    mnuFormaPgto = AddMenuAction(mnuOperacao, QStringLiteral("mnuFormaPgto"),
                                 QStringLiteral("Forma de Pagamento"), {}, goTo(&tshFormaPgto));
    // The screen's page entries come before the base's Listagem, which this
    // screen does not offer.
    for (QAction* a : {mnuItens, mnuMaoObra, mnuDadosAdic}) {
        mnuOperacao->removeAction(a);
        mnuOperacao->insertAction(mnuObservacao->menuAction(), a);
    }
    mnuOperacao->removeAction(mnuFormaPgto);
    mnuOperacao->insertAction(mnuListagem, mnuFormaPgto);
    for (QAction* a : {mnuItens, mnuMaoObra, mnuDadosAdic, mnuFormaPgto})
        a->setCheckable(true);
    for (QAction* a : {mnuObsInt, mnuObsExt})
        a->setCheckable(true);
    mnuListagem->setEnabled(false);

    for (QAction* a : {mnuIncluir, mnuAlterar, mnuExcluir, mnuProcurar, mnuVerificar})
        a->setEnabled(false);
    mnuManutencao->addSeparator();
    mnuFiltrar =
        AddMenuAction(mnuManutencao, QStringLiteral("mnuFiltrar"), QStringLiteral("Fi&ltrar"),
                      QKeySequence(Qt::CTRL | Qt::Key_L), [this] { sbtFiltroClick(); });
    mnuFecharOrca =
        AddMenuAction(mnuManutencao, QStringLiteral("mnuFecharOrca"), QStringLiteral("&Fechar"),
                      QKeySequence(Qt::CTRL | Qt::Key_O), [this] { sbtFecharOrcaClick(); });
    mnuContratante = AddMenuAction(
        mnuManutencao, QStringLiteral("mnuContratante"), QStringLiteral("Contratante"),
        QKeySequence(Qt::CTRL | Qt::Key_N), [this] { btnContratanteClick(); });
    mnuContratante->setEnabled(false);
    mnuProcOrca = AddMenuAction(mnuManutencao, QStringLiteral("mnuProcOrca"),
                                QStringLiteral("P&rocessar Orçamento"),
                                QKeySequence(Qt::CTRL | Qt::Key_M), [this] { mnuProcOrcaClick(); });
}

void TfrmFechaOrca::BuildBranchBar() {
    panFilial = new QFrame(this);
    Name(panFilial, "panFilial");
    panFilial->setFrameShape(QFrame::StyledPanel);
    auto* bar = new QHBoxLayout(panFilial);
    bar->setContentsMargins(4, 2, 4, 2);

    lblFilial = new QLabel(QStringLiteral("Filial"), panFilial);
    Name(lblFilial, "lblFilial");
    Bold(lblFilial);
    bar->addWidget(lblFilial);

    medCdFilial = new TMaskEdit(panFilial);
    Name(medCdFilial, "medCdFilial");
    medCdFilial->SetEditMask(QStringLiteral(">aaaa;0; "));
    medCdFilial->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    medCdFilial->setFixedWidth(60);
    OnToolTipGround(medCdFilial);
    lblFilial->setBuddy(medCdFilial);
    bar->addWidget(medCdFilial);

    btnFilial = new TBtnPesquisa(panFilial);
    Name(btnFilial, "btnFilial");
    btnFilial->setToolTip(QStringLiteral("Pesquisar"));
    btnFilial->SetTitle(QStringLiteral("Filial"));
    btnFilial->SetAssociate(medCdFilial);
    btnFilial->SetDataSource(queries.dtsFilial);
    btnFilial->SetEmptyError(QStringLiteral("Não há filial cadastrada."));
    bar->addWidget(btnFilial);

    edtNmFilial = new QLineEdit(panFilial);
    Name(edtNmFilial, "edtNmFilial");
    SetDisplayOnly(edtNmFilial);
    edtNmFilial->setMinimumWidth(260);
    bar->addWidget(edtNmFilial);

    sbtProcOrca = new QToolButton(panFilial);
    Name(sbtProcOrca, "sbtProcOrca");
    sbtProcOrca->setText(QStringLiteral("Processar Orçamento"));
    sbtProcOrca->setFocusPolicy(Qt::NoFocus);
    Bold(sbtProcOrca);
    sbtProcOrca->hide();
    OnClick(sbtProcOrca, [this] { sbtProcOrcaClick(); });
    bar->addWidget(sbtProcOrca);
    bar->addStretch(1);

    imgCheck = HiddenPicture(panFilial, "imgCheck", CheckPicture());
    imgUncheck = HiddenPicture(panFilial, "imgUncheck", UncheckPicture());
    imgDescheck = HiddenPicture(panFilial, "imgDescheck", DescheckPicture());
    AddBand(panFilial);
}

void TfrmFechaOrca::BuildPages() {
    dbgPadrao->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::ColLines |
                          TGridOption::RowLines | TGridOption::Tabs |
                          TGridOption::AlwaysShowSelection | TGridOption::ConfirmDelete);
    // Titled by their fields' labels, and as wide as their titles and usual
    // values, so that the six fit the screen on an 800 × 600 desktop; the
    // coded situation shows as a text wider than its one-character field.
    const struct {
        const char* field;
        int width;
    } shown[] = {{"NRORCAEVENTO", 100}, {"NRSEQORCAEVE", 40},  {"DSCLIENTEORCA", 220},
                 {"IDSITUORCEVE", 100}, {"NMTPSERVEVEN", 130}, {"NMTIPOEVENTO", 150}};
    std::vector<TGridColumn> columns;
    for (const auto& c : shown) {
        TGridColumn column;
        column.FieldName = QLatin1String(c.field);
        column.Width = c.width;
        columns.push_back(column);
    }
    dbgPadrao->SetColumns(std::move(columns));
    BuildListGridDrawing();

    tshItens = Page(pgcPadrao, "tshItens", QStringLiteral("Itens"));
    tshMaoObra = Page(pgcPadrao, "tshMaoObra", QStringLiteral("Mão de Obra"));
    tshDadosAdic = Page(pgcPadrao, "tshDadosAdic", QStringLiteral("Dados Adicionais"));
    tshObservacao = Page(pgcPadrao, "tshObservacao", QStringLiteral("Observação"));
    auto* obs = new QVBoxLayout(tshObservacao);
    pgcObservacao = new TPageControl(tshObservacao);
    Name(pgcObservacao, "pgcObservacao");
    obs->addWidget(pgcObservacao);
    tshObsInt = Page(pgcObservacao, "tshObsInt", QStringLiteral("Interna"));
    tshObsExt = Page(pgcObservacao, "tshObsExt", QStringLiteral("Externa"));
    tshFormaPgto = Page(pgcPadrao, "tshFormaPgto", QStringLiteral("Forma de Pagamento"));

    BuildFormularioPage();
    BuildItensPage();
    BuildMaoObraPage();
    BuildDadosAdicPage();
    BuildObservacaoPage();
    BuildFormaPgtoPage();

    // The list changes only through the contracting client's edit cycle:
    // the navigator moves through it and nothing else.
    dbnPadrao->SetVisibleButtons(TNavButtons(TNavigateBtn::First) | TNavigateBtn::Prior |
                                 TNavigateBtn::Next | TNavigateBtn::Last);

    dbtNome = new TDBText(panNavigator);
    Name(dbtNome, "dbtNome");
    dbtNome->SetDataSource(dtsPadrao);
    dbtNome->SetDataField(QStringLiteral("DSORCAEVEN"));
    Bold(dbtNome);
    static_cast<QBoxLayout*>(panNavigator->layout())->insertWidget(0, dbtNome, 1);
}

void TfrmFechaOrca::BuildConnections() {
    struct TNet {
        TNetConnection* TfrmFechaOrca::*member;
        const char* name;
        const char* server;
        void (TfrmFechaOrca::*beforeConnect)(TNetConnection&);
    };
    static const TNet nets[] = {
        {&TfrmFechaOrca::netFechaOrca, "netFechaOrca", "ORE00800.rdmFechaOrca",
         &TfrmFechaOrca::netFechaOrcaBeforeConnect},
        {&TfrmFechaOrca::netProcOrca, "netProcOrca", "ORE06400.rdmProcOrca",
         &TfrmFechaOrca::netProcOrcaBeforeConnect},
        {&TfrmFechaOrca::netContratante, "netContratante", "ORE09000.rdmContratante",
         &TfrmFechaOrca::netContratanteBeforeConnect},
    };
    for (const TNet& n : nets) {
        auto* net = new TNetConnection(this);
        Name(net, n.name);
        net->ServerName = QLatin1String(n.server);
        // Refusals come back as replies, judged by CheckResultServ.
        net->ThrowException = false;
        net->BeforeConnect = [this, h = n.beforeConnect](TNetConnection& c) { (this->*h)(c); };
        this->*n.member = net;
    }
}

void TfrmFechaOrca::BindEvents() {
    TFocusTracker& focus = TFocusTracker::Instance();
    focus.SetOnEnter(panFilial, [this] { panFilialEnter(); });
    focus.SetOnExit(panFilial, [this] { panFilialExit(); });
    focus.SetOnExit(medCdFilial, [this] { medCdFilialExit(); });
    connect(medCdFilial, &QLineEdit::textChanged, this,
            [this] { Dispatch([this] { medCdFilialChange(); }); });
    btnFilial->OnAfterPesq = [this](TBtnPesquisa&) { btnFilialAfterPesq(); };
    connect(dbeCliContrat, &QLineEdit::textChanged, this, [this] {
        if (m_contratChangeAttached)
            Dispatch([this] { dbeCliContratChange(); });
    });
    BindContratanteEvents();

    TRecordSet* orca = data.cdsOrcaEvento;
    orca->AfterOpen = [this](TDataSet&) { cdsOrcaEventoAfterOpen(); };
    orca->AfterScroll = [this](TDataSet&) { cdsOrcaEventoAfterScroll(); };
    dtsPadrao->OnStateChange = [this](TDataSource&) { dtsPadraoStateChange(); };
    pgcObservacao->OnChange = [this] { pgcObservacaoChange(); };

    // The situation code shows as its catalogue text.
    orca->FieldByName("IDSITUORCEVE").OnGetText = [this](const TField& f, QString& text, bool) {
        text = msgPadrao->Msg(f.AsString());
    };
}

std::vector<TfrmFechaOrca::TPageEntry> TfrmFechaOrca::DetailPages() const {
    return {{tshItens, mnuItens},        {tshMaoObra, mnuMaoObra}, {tshDadosAdic, mnuDadosAdic},
            {tshObservacao, nullptr},    {tshObsInt, mnuObsInt},   {tshObsExt, mnuObsExt},
            {tshFormaPgto, mnuFormaPgto}};
}
