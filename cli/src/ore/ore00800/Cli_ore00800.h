#pragma once

#include "ore/ore00800/FiltroHost.h"
#include "ore/ore00800/model/FechaOrcaData.h"
#include "ore/ore00800/model/FechaOrcaQueries.h"
#include "ore/ore00800/model/Filtro.h"

#include "framework/forms/FrmPadrao.h"

#include <QSize>

#include <initializer_list>

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSpinBox;
class QToolButton;
class TBtnPesquisa;
class TDBCheckBox;
class TDBEdit;
class TDBRadioGroup;
class TDBRichView;
class TDBText;
class TMaskEdit;
class TNetConnection;
class TNumberEdit;
class TPageControl;
class TPictureBox;
class TTabSheet;

// The budget-closing screen: the operator picks a branch in the branch bar,
// states criteria in the filter dialog, browses the budgets listed and their
// details, and closes the current one.
//
// Handlers keep the names the screen's design gives them; they are spread
// over files by concern (FechaOrca_*.cpp).
class TfrmFechaOrca : public TfrmPadrao, public IFiltroHost {
    Q_OBJECT
public:
    TfrmFechaOrca();
    ~TfrmFechaOrca() override;

    TFechaOrcaData data;
    TFechaOrcaQueries queries;

    // True from creation until the first activation has read the rights.
    bool boPrimVez = true;

    // Tool bar and menu entries of the screen's own.
    QToolButton* sbtFiltro = nullptr;
    QToolButton* sbtFecharOrca = nullptr;
    QToolButton* btnContratante = nullptr;
    QAction* mnuItens = nullptr;
    QAction* mnuMaoObra = nullptr;
    QAction* mnuDadosAdic = nullptr;
    QMenu* mnuObservacao = nullptr;
    QAction* mnuObsInt = nullptr;
    QAction* mnuObsExt = nullptr;
    QAction* mnuFormaPgto = nullptr;
    QAction* mnuFiltrar = nullptr;
    QAction* mnuFecharOrca = nullptr;
    QAction* mnuContratante = nullptr;
    QAction* mnuProcOrca = nullptr;

    // Branch bar.
    QFrame* panFilial = nullptr;
    QLabel* lblFilial = nullptr;
    TMaskEdit* medCdFilial = nullptr;
    TBtnPesquisa* btnFilial = nullptr;
    QLineEdit* edtNmFilial = nullptr;
    QToolButton* sbtProcOrca = nullptr;
    TPictureBox* imgCheck = nullptr;
    TPictureBox* imgUncheck = nullptr;
    TPictureBox* imgDescheck = nullptr;

    // Detail pages; the base screen's tshFormulario comes first.
    TTabSheet* tshItens = nullptr;
    TTabSheet* tshMaoObra = nullptr;
    TTabSheet* tshDadosAdic = nullptr;
    TTabSheet* tshObservacao = nullptr;
    TPageControl* pgcObservacao = nullptr;
    TTabSheet* tshObsInt = nullptr;
    TTabSheet* tshObsExt = nullptr;
    TTabSheet* tshFormaPgto = nullptr;

    // "Formulário" (FechaOrca_PageFormulario.cpp).
    TMaskEdit* medHoraEve = nullptr;
    TMaskEdit* medDuracao = nullptr;
    QRadioButton* rdbCliJaCad = nullptr;
    QRadioButton* rdbNovoCli = nullptr;

    // "Itens" (FechaOrca_PageItens.cpp): the server's totals, left to right,
    // the header area Panel3 (the budget, Panel6, over the price base,
    // Panel9) and the items.
    TNumberEdit* nedTotalItem = nullptr;
    TNumberEdit* nedTotalMao = nullptr;
    TNumberEdit* nedSalao = nullptr;
    TNumberEdit* nedDesc = nullptr;
    TNumberEdit* nedVrAcres = nullptr;
    TNumberEdit* nedTotal = nullptr;
    TNumberEdit* nedTotLiq = nullptr;
    TNumberEdit* nedVrPessoa = nullptr;
    QFrame* Panel3 = nullptr;
    QFrame* Panel6 = nullptr;
    QFrame* Panel9 = nullptr;
    QLabel* Label13 = nullptr;
    TDBEdit* dbePrcBase = nullptr;
    TBtnPesquisa* btnPrcBase = nullptr;
    TDBEdit* DBEdit20 = nullptr;
    TDBGrid* dbgItemOrcaEven = nullptr;

    // "Mão de Obra" (FechaOrca_PageMaoObra.cpp).
    TDBGrid* dbgItMaoObra = nullptr;

    // "Dados Adicionais" (FechaOrca_PageDadosAdic.cpp).
    // The budget as the detail pages show it: read only, since the
    // contracting client is the one thing edited on this screen.
    TDataSource* OrcaLeitura();
    TDataSource* dtsOrcaLeitura = nullptr;
    QComboBox* cbbEndeCliente = nullptr;
    TDBGrid* dbgSalaoEven = nullptr;

    // "Observação" (FechaOrca_PageObservacao.cpp).
    TDBGrid* dbgObsIntOrcaEv = nullptr;
    TDBRichView* dbrObsInt = nullptr;
    TDBRichView* dbrObsExt = nullptr;

    // "Forma de Pagamento" (FechaOrca_PageFormaPgto.cpp).
    TDBRadioGroup* drgFormPgto = nullptr;
    TDBEdit* dbeCDFORMPGTO = nullptr;
    TBtnPesquisa* btpFormPgto = nullptr;
    TDBEdit* dbeNMFORMPGTO = nullptr;
    QSpinBox* speDiaFixo = nullptr;
    QLabel* lblCom = nullptr;
    QSpinBox* speParcela = nullptr;
    QLabel* lblParcelas = nullptr;
    QLabel* lblParenteses = nullptr;
    TDBCheckBox* dckProxMes = nullptr;
    TDBGrid* dbgPrazoPgClie = nullptr;

    // The contracting client of the current budget, on "Dados Adicionais"
    // (FechaOrca_Contratante.cpp).
    QGroupBox* GroupBox7 = nullptr;
    TMaskEdit* dbeCliContrat = nullptr;
    TBtnPesquisa* BtnPesquisa6 = nullptr;
    QLineEdit* DBEdit13 = nullptr;

    // The current budget's number and client, in the navigator bar.
    TDBText* dbtNome = nullptr;

    // Connections to the application server's three remote modules.
    TNetConnection* netFechaOrca = nullptr;
    TNetConnection* netProcOrca = nullptr;
    TNetConnection* netContratante = nullptr;

    // Lifecycle.
    void FormCreate() override;
    void FormActivate() override;
    void FormClose(TCloseAction& action) override;
    void netFechaOrcaBeforeConnect(TNetConnection& connection);
    void netProcOrcaBeforeConnect(TNetConnection& connection);
    void netContratanteBeforeConnect(TNetConnection& connection);

    // Branch bar.
    void panFilialEnter();
    void panFilialExit();
    void medCdFilialChange();
    void medCdFilialExit();
    void btnFilialAfterPesq();
    void Vd_CdFilial(bool boTestaVazio);

    // Retrieval.
    void sbtFiltroClick();
    void sbtVerificarClick() override;
    void cdsOrcaEventoAfterOpen();

    // Browsing (FechaOrca_Browse.cpp): every move loads the page shown.
    void cdsOrcaEventoAfterScroll();
    void pgcPadraoChange() override;
    void pgcObservacaoChange();
    void dtsPadraoStateChange();
    void Habilita();
    // Whether the current budget may be processed (closed, not a
    // cancellation's child) together with the operator's rights.
    void OfferProcessing();

    // What each page loads for the current budget, run by the scroll
    // handler only while that page is shown.
    void LoadFormulario();
    // The kind of delivery address picked in "Dados Adicionais"; it follows
    // every move and every change of the kind, whatever the page shown.
    void ShowEnderecoEntrega();
    void LoadItens();
    void LoadMaoObra();
    void LoadObservacao();
    void LoadFormaPgto();
    // Payment data can only be looked at: locked on every move.
    void LockFormaPgto();
    // Entering "Itens": the price parameter shows or hides the price base.
    void LoadParamOrca();

    // The contracting client's edit cycle (FechaOrca_Contratante.cpp).
    // Alter: shows "Dados Adicionais", then puts the budget into edit.
    void sbtAlterarClick() override;
    // Shows the current budget's stored contracting client in its box and
    // name without running the box's change handler when `quietly`.
    void ShowContratante(bool quietly);
    void dbeCliContratChange();
    // Opens the contracting-clients screen for the current budget.
    void btnContratanteClick();
    // Confirm: checks the typed contracting client, then posts the budget.
    void sbtConfirmarClick() override;
    // `key` set to 0 is discarded.
    void dbeCliContratKeyPress(QChar& key);
    void dbeCliContratKeyDown(int& key, Qt::KeyboardModifiers shift);
    void dbeCliContratExit();
    void BtnPesquisa6BeforePesq(bool& allowPesq);
    void BtnPesquisa6AfterPesq();
    // Makes `client` (a row of the client queries) the budget's contracting
    // client: the four fields, the number box and the name.
    void TakeContratante(const TDataSet& client);
    // Looks the typed registration number up and fills the four fields.
    void Vd_CliContratante();
    // The closing's check of the contracting client being typed.
    void Vd_Cliente(bool boTestaVazio);
    // Every post sends the current row's contracting client to the server.
    void cdsOrcaEventoAfterPost();
    void cdsOrcaEventoAfterCancel();
    // Wires the handlers above to their controls and record sets.
    void BindContratanteEvents();
    // The box without a mask: how it shows, not which number it holds.
    void RemoveContratMask();

    // Closing (FechaOrca_Closing.cpp) and processing (FechaOrca_Processing.cpp).
    // Closes the current budget: its checks, the customer and contracting
    // clients registered, the mark, then the list handed to the server.
    void sbtFecharOrcaClick();
    // Opens budget processing for the current budget, then reloads the list.
    void sbtProcOrcaClick();
    void mnuProcOrcaClick();

private:
    // What its filter dialog asks of the screen (FechaOrca_Retrieval.cpp).
    QString BranchCode() const override;
    TServerReply GetGerenteSup(const QString& code) override;
    void RetrieveBudgets() override;

    void BuildToolBar();
    void BuildMenus();
    void BuildBranchBar();
    void BuildPages();
    // The list grid's drawing of a closing-mark column (FechaOrca_ListGrid.cpp).
    void BuildListGridDrawing();
    void BuildFormularioPage();
    void BuildItensPage();
    void BuildMaoObraPage();
    void BuildDadosAdicPage();
    void BuildObservacaoPage();
    void BuildFormaPgtoPage();
    // The group "Contratante", for "Dados Adicionais" to place.
    QGroupBox* BuildContratanteGroup(QWidget* parent);
    // Narrows record sets to the current budget with the detail filter.
    void NarrowToCurrent(std::initializer_list<TRecordSet*> details);
    // A field of the current budget, as text.
    QString Current(const char* field) const;
    // The current budget's key, as the server's per-budget reads take it.
    QVariantList CurrentKey() const;
    // Calls `method` on netFechaOrca and loads what it answers into `into`;
    // a refusal is shown by CheckResultServ and goes on to the caller.
    void LoadFromServer(const QString& method, const QVariantList& args, TRecordSet* into);
    void BuildConnections();
    void BindEvents();
    void ReadRights();

    // The detail pages in design order, and the menu entry of each.
    struct TPageEntry {
        TTabSheet* page;
        QAction* entry;
    };
    std::vector<TPageEntry> DetailPages() const;

    bool m_contratChangeAttached = true;
    // The operator's rights admit processing (read at first activation).
    bool m_rightsOfferProcessing = false;
};

extern TfrmFechaOrca* frmFechaOrca; // the screen the factory made, or null
extern bool boStCriado;             // true while that screen exists

// The desktop's size: the primary screen's geometry.
QSize DesktopSize();

// Opens the screen (not modal): creates it on the first call, reuses it after;
// a 640×480 desktop gets it maximised, any other the normal state.
void CriaFechaOrca(QSize desktop = DesktopSize());

// Unit initialisation and finalisation, run when the module is loaded and unloaded.
void InitializeCli_ore00800();
void FinalizeCli_ore00800();
