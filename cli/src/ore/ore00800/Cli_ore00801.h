#pragma once

#include "ore/ore00800/FiltroHost.h"
#include "ore/ore00800/model/FiltroModuleState.h"
#include "ore/ore00800/model/FiltroQueries.h"

#include "framework/forms/FrmFiltroPadrao.h"

#include <array>

class QCheckBox;
class QGroupBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QToolButton;
class TBtnPesquisa;
class TDataSource;
class TDateEditPlus;
class TMaskEdit;
class TRecordSet;
struct TFiltro;

// The filter dialog of the budget-closing screen: collects and checks the
// retrieval criteria, writes them into Filtro and runs the retrieval of the
// screen it was opened for (its IFiltroHost).
//
// Handlers keep the names the dialog's design gives them; they are spread
// over files by concern (FiltroFechaOrca_*.cpp).
class TfrmFiltroFechaOrca : public TfrmFiltroPadrao {
    Q_OBJECT
public:
    // `host` is the screen the dialog works for, null when there is none;
    // it must outlive the dialog's modal run.
    explicit TfrmFiltroFechaOrca(IFiltroHost* host, QWidget* parent = nullptr);
    ~TfrmFiltroFechaOrca() override;

    // Budget number and date ranges.
    QGroupBox* grbNrOrca = nullptr;
    TMaskEdit* medOrcaDe = nullptr;
    TMaskEdit* medOrcaAte = nullptr;
    QGroupBox* grbDtEvento = nullptr;
    TDateEditPlus* depDeEvento = nullptr;
    TDateEditPlus* depAteEvento = nullptr;
    QGroupBox* grbValidade = nullptr;
    TDateEditPlus* depDeEntrega = nullptr;
    TDateEditPlus* depAteEntrega = nullptr;

    // The six list criteria: "Todos", "Lista" and the search button.
    QGroupBox* grbVendedor = nullptr;
    QRadioButton* rbtTVendedor = nullptr;
    QRadioButton* rbtLVendedor = nullptr;
    QToolButton* sbtVendedor = nullptr;
    QGroupBox* grbCliente = nullptr;
    QRadioButton* rbtTCliente = nullptr;
    QRadioButton* rbtLCliente = nullptr;
    QToolButton* sbtCliente = nullptr;
    QGroupBox* gbrServico = nullptr;
    QRadioButton* rbtTTipoServ = nullptr;
    QRadioButton* rbtLTipoServ = nullptr;
    QToolButton* sbtFiliDest = nullptr;
    QGroupBox* grbEvento = nullptr;
    QRadioButton* rbtTTipoEven = nullptr;
    QRadioButton* rbtLTipoEven = nullptr;
    QToolButton* sbtTipoEven = nullptr;
    QGroupBox* grbProduto = nullptr;
    QRadioButton* rbtTProduto = nullptr;
    QRadioButton* rbtLProduto = nullptr;
    QToolButton* sbtProduto = nullptr;
    QGroupBox* grbMaodeObra = nullptr;
    QRadioButton* rbtTMaoObra = nullptr;
    QRadioButton* rbtLMaoObra = nullptr;
    QToolButton* sbtMaoObra = nullptr;

    // Budget situations; only "Aprovado" and "Fechado" can be chosen.
    QGroupBox* grbSituacao = nullptr;
    QCheckBox* chbPendente = nullptr;
    QCheckBox* chbAprovado = nullptr;
    QCheckBox* chbFechado = nullptr;
    QCheckBox* chbExecProd = nullptr;
    QCheckBox* chbExecMate = nullptr;
    QCheckBox* chbExecTotal = nullptr;
    QCheckBox* chbEncerrado = nullptr;
    QCheckBox* chbCancelado = nullptr;

    // Free texts and the manager or supervisor seller.
    QLineEdit* edtNovoClie = nullptr;
    QLineEdit* edtTitulo = nullptr;
    QLineEdit* edtCdVendedor = nullptr;
    TBtnPesquisa* btnGerenteSup = nullptr;
    QLineEdit* edtNmVendedor = nullptr;

    // Managers and supervisors: all of them for the lookup button, and the
    // one a typed code names.
    TRecordSet* cdsGerenteSup = nullptr;
    TDataSource* dtsGerenteSup = nullptr;
    TRecordSet* cdsVdGerenteSup = nullptr;

    // The lookups behind the search buttons.
    TFiltroQueries queries{this};

    // Checks run by the confirmation, in this order; each shows its message
    // and aborts on failure.
    void Vd_Intervalo();
    void Vd_DtEvento();
    void Vd_DtValidade();
    void Vd_Lista();
    void Vd_Status();
    void Vd_GerenteSup();

    // Search handlers: a click on the button or F9 on the "Lista" radio.
    void sbtVendedorClick();
    void sbtClienteClick();
    void sbtFiliDestClick();
    void sbtTipoEvenClick();
    void sbtProdutoClick();
    void sbtMaoObraClick();

protected:
    void FormCreate() override;
    void FormClose() override;
    void sbtConfirmaClick() override;
    void sbtCancelClick() override;
    void sbtLimpaClick() override;
    void btfSaveOpcClick() override;
    void btfLoadOpcClick() override;
    void showEvent(QShowEvent* event) override;

private:
    // Where a criterion keeps its choice in Filtro.
    struct TFiltroSlot {
        bool& boTodos;
        QString& list;
    };
    // One list criterion, in the order the dialog checks them.
    struct TCriterion {
        QRadioButton* todos;
        QRadioButton* lista;
        QToolButton* search;
        QString* list;          // the module-wide list string
        const char* missingKey; // message when "Lista" is chosen with nothing picked
        void (TfrmFiltroFechaOrca::*onSearch)();
        TFiltroSlot (*slot)(TFiltro&);
    };

    // Layout (FiltroFechaOrca_Layout.cpp).
    void BuildControls();
    QGroupBox* NewSituationBox();
    void AddTextRows(QGridLayout* grid, int row);
    void BuildManagerSets();

    // Criteria (FiltroFechaOrca_Criteria.cpp).
    void BindHandlers();
    void FormActivate();
    void LoadFromFiltro();
    void SaveToFiltro() const;
    void SyncSearchButton(const TCriterion& criterion);
    void medDeIntervaloExit();
    void medOrcaAteExit();
    void edtCdVendedorChange();
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Pickers (FiltroFechaOrca_Pickers.cpp).
    void BindLookups();
    void SearchRegistered(TADOIBQuery* query, TDataSource* source, const char* emptyKey,
                          QWidget* focusWhenEmpty, const char* titleKey, const QString& keyField,
                          QString& list);
    void SearchProducts(QString& list);
    void qryProdutoBeforeOpen();
    void LoadGerenteSup(TRecordSet& target, const QString& code);
    void btnGerenteSupBeforePesq(bool& allowPesq);
    void btnGerenteSupAfterPesq();

    // Shows the catalogue's `key` as an error, moves the focus to `target`
    // and aborts.
    [[noreturn]] void FailThenFocus(const char* key, QWidget* target);
    // Moves the focus to `target`, then shows the error and aborts.
    [[noreturn]] void FocusThenFail(QWidget* target, const char* key);
    // A "de"/"até" date pair: each a valid date or empty, both or neither
    // given, "até" not before "de".
    void CheckDateRange(TDateEditPlus* de, TDateEditPlus* ate, const char* missingDe,
                        const char* missingAte, const char* reversed);
    QString Msg(const char* key) const;
    // The screen the dialog works for; an error when there is none.
    IFiltroHost& Host() const;

    IFiltroHost* const m_host;
    std::array<TCriterion, 6> m_criteria{};
    bool m_activated = false;
};

// Opens the dialog modally for `host` (created afresh when none exists) and
// returns when it has closed. The opener reads frmFiltroFechaOrca->ModalResult()
// right after: the dialog is destroyed once the current event has been handled.
void CriaFiltroFechaOrca(IFiltroHost* host);
// The same for the closing screen the factory made, frmFechaOrca.
void CriaFiltroFechaOrca();

// The number of underscores in `stString`, plus one.
// Exported: part of the module's interface with the host; nothing here calls it.
int ContaChecked(const QString& stString);
