#pragma once

#include "framework/forms/ModalForm.h"

#include <QString>
#include <QVariant>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TADOIBQuery;
class TBtnPesquisa;
class TDBGrid;
class TDataSource;
class TNetConnection;
class TRecordSet;

// The budget a contracting-client screen works on, and the screen that opened it.
struct TContratanteChave {
    QString filial, numero, seq, telaOrigem;
};

// Screen ORE09000: the contracting clients of one budget, with the budget's
// realised total and guests set against the active clients' sums. Changes go
// through the application server's upkeep operations only; the lookups read
// the business database directly.
class TfrmContratante : public TModalForm {
    Q_OBJECT
public:
    explicit TfrmContratante(const TContratanteChave& chave, QWidget* parent = nullptr);
    ~TfrmContratante() override;

    // Reads the budget and its clients; an unknown budget is refused with
    // the server's sentence.
    void Carrega();

private:
    // Contratante_Layout.cpp
    void BuildLayout();
    QGroupBox* BuildTotais();
    QGroupBox* BuildEntrada();
    void BindEvents();

    // Contratante_Data.cpp
    void CreateData();
    void netContratanteBeforeConnect(TNetConnection& connection);
    QVariant Chama(const QString& method, QVariantList args = {});
    void CarregaResumo();
    void CarregaContratantes(const QString& manterCliente = {});
    void MostraTotais();
    void MostraSituacao();
    bool Aprovado() const;

    // Contratante_Upkeep.cpp
    void grdContratantesScroll();
    void edtClienteExit();
    void BtnPesquisaClienteAfterPesq();
    void edtEmpresaExit();
    void BtnPesquisaEmpresaAfterPesq();
    void btnIncluirClick();
    void btnAlterarClick();
    void btnCancelarContratClick();
    void btnFecharClick();
    void TakeCliente(const TRecordSet& cliente);
    QString ClienteEscolhido();
    QString ClienteSelecionado() const;
    QVariant Valor() const;
    QVariant Convidados() const;
    void LimpaEntrada();

    TContratanteChave m_chave;
    QString m_cliente;         // code of the client in the entry, once found
    QString m_clienteDoNumero; // the registration number m_cliente was found for

public:
    // Designed names: objectName of each is the member's name.
    TNetConnection* netContratante = nullptr;
    TRecordSet* cdsResumoOrca = nullptr;
    TRecordSet* cdsContratantes = nullptr;
    TDataSource* dtsContratantes = nullptr;
    TADOIBQuery* qryCliente = nullptr;
    TDataSource* dtsCliente = nullptr;
    TADOIBQuery* QryVdCliente = nullptr;
    TADOIBQuery* QryClienteCodigo = nullptr;
    TADOIBQuery* qryEmpresa = nullptr;
    TDataSource* dtsEmpresa = nullptr;

    QLabel* lblOrcamento = nullptr;
    TDBGrid* grdContratantes = nullptr;
    QLabel* lblSomenteLeitura = nullptr;
    QLabel* lblVrTotalOrca = nullptr;
    QLabel* lblVrSomaAtivos = nullptr;
    QLabel* lblVrDiferenca = nullptr;
    QLabel* lblQtConvOrca = nullptr;
    QLabel* lblQtConvAtivos = nullptr;
    QLabel* lblQtConvDiferenca = nullptr;
    QLabel* lblQtContratOrca = nullptr;
    QLabel* lblQtContratAtivos = nullptr;
    QLabel* lblQtContratDiferenca = nullptr;
    QLabel* lblAvisoTotais = nullptr;
    QGroupBox* grbContratante = nullptr;
    QLineEdit* edtCliente = nullptr;
    TBtnPesquisa* BtnPesquisaCliente = nullptr;
    QLineEdit* edtNomeCliente = nullptr;
    QLineEdit* edtValor = nullptr;
    QLineEdit* edtConvidados = nullptr;
    QLineEdit* edtEmpresa = nullptr;
    TBtnPesquisa* BtnPesquisaEmpresa = nullptr;
    QLineEdit* edtNomeEmpresa = nullptr;
    QPushButton* btnIncluir = nullptr;
    QPushButton* btnAlterar = nullptr;
    QPushButton* btnCancelarContrat = nullptr;
    QPushButton* btnFechar = nullptr;
};
