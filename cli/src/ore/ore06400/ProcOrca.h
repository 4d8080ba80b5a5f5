#pragma once

#include "framework/forms/ModalForm.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class TDataSource;
class TDBEdit;
class TDBGrid;
class TNetConnection;
class TPageControl;
class TRecordSet;
class TTabSheet;

// What the opener passed: the situation it saw, the budget key, who asked and from where.
struct TProcOrcaParams {
    int situacao = 0;
    QString filial, numero, seq;
    QString operador, telaOrigem;
};

// Screen ORE06400: one budget as the server reads it for processing, shown
// read only (header, totals, items, halls, labour), with a re-read.
class TfrmProcOrca : public TModalForm {
    Q_OBJECT
public:
    explicit TfrmProcOrca(const TProcOrcaParams& params, QWidget* parent = nullptr);
    ~TfrmProcOrca() override;

    // Reads the budget from the server and shows it; a refusal (an unknown
    // budget) throws with the server's sentence and leaves what was shown.
    void Carrega();

private:
    void BuildLayout();
    QWidget* BuildHeader();
    QWidget* BuildTotals();
    QWidget* BuildPages();
    QWidget* BuildButtons();
    void BuildData();
    void FormatFields();
    void ShowSituation();
    void btnAtualizarClick();
    void btnFecharClick();

    TProcOrcaParams m_params;

    TNetConnection* netProcOrca = nullptr;
    TRecordSet* cdsOrcaEvento = nullptr;
    TRecordSet* cdsTotalOrca = nullptr;
    TRecordSet* cdsItemOrcaEven = nullptr;
    TRecordSet* cdsSalaoEven = nullptr;
    TRecordSet* cdsItMaoObra = nullptr;
    TDataSource* dtsOrcaEvento = nullptr;
    TDataSource* dtsTotalOrca = nullptr;
    TDataSource* dtsItemOrcaEven = nullptr;
    TDataSource* dtsSalaoEven = nullptr;
    TDataSource* dtsItMaoObra = nullptr;

    // Texts made of more than one field, or longer than the field they show.
    QLineEdit* edtSituacao = nullptr;
    QLineEdit* edtCliente = nullptr;
    QLabel* lblSituacaoAlterada = nullptr;
    QLabel* lblChamada = nullptr;
    TPageControl* pgcDetalhes = nullptr;
    TTabSheet* tshItens = nullptr;
    TTabSheet* tshSaloes = nullptr;
    TTabSheet* tshMaoObra = nullptr;
    TDBGrid* grdItens = nullptr;
    TDBGrid* grdSaloes = nullptr;
    TDBGrid* grdMaoObra = nullptr;
    QPushButton* btnAtualizar = nullptr;
    QPushButton* btnFechar = nullptr;
};

// The situation codes of a budget as the operator reads them; an unknown code as it stands.
QString SituacaoTexto(const QString& codigo);

// The six parameters LoadBPL passes, checked: kinds and count.
TProcOrcaParams LeParametros(const QVariantList& params);
