#pragma once

#include "framework/forms/ModalForm.h"
#include "ore/ore00105/EndeClieParams.h"
#include "ore/ore00105/EndeClieRegras.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TEndeClieLocais;
class TMaskEdit;

// ORE00105, the registration and main address of a client registered while
// its budget is closed. Confirming writes what was entered into the caller's
// record sets (docs/screens/ore00105.md); cancelling writes nothing.
class TfrmEndeClie : public TModalForm {
    Q_OBJECT
public:
    explicit TfrmEndeClie(const TEndeClieParams& params, QWidget* parent = nullptr);

    // Reads the countries and, when the caller already holds a row of this
    // budget (a closing refused before), shows it.
    void Carrega();

    // What the controls hold.
    TEndeClie Dados() const;

private:
    void MontaCliente(QWidget* box);
    void MontaEndereco(QWidget* box);
    void MontaContatos(QWidget* box);
    void Mostra(const TEndeClie& dados);
    QString Tipo() const;
    void TipoMudou();
    void IncluiContato(const TContatoClie& contato = {});
    void btnExcluirContatoClick();
    void btnConfirmarClick();
    QWidget* Controle(TCampoEndeClie campo) const;

    TEndeClieParams m_params;
    TEndeClieLocais* m_locais = nullptr;

    QRadioButton* rbtFisica = nullptr;
    QRadioButton* rbtJuridica = nullptr;
    TMaskEdit* medNrInscricao = nullptr;
    QLineEdit* edtNmFantasia = nullptr;
    QLineEdit* edtNmRazaoSocial = nullptr;
    QComboBox* cmbPais = nullptr;
    QComboBox* cmbEstado = nullptr;
    QComboBox* cmbMunicipio = nullptr;
    QLineEdit* edtEndereco = nullptr;
    QLineEdit* edtBairro = nullptr;
    QLineEdit* edtComplemento = nullptr;
    QLineEdit* edtCep = nullptr;
    QLineEdit* edtTelefone = nullptr;
    QLineEdit* edtRamal = nullptr;
    QLineEdit* edtCelular = nullptr;
    QLineEdit* edtFax = nullptr;
    QLineEdit* edtEmail = nullptr;
    QLineEdit* edtContato = nullptr;
    QTableWidget* grdContatos = nullptr;
    QPushButton* btnIncluirContato = nullptr;
    QPushButton* btnExcluirContato = nullptr;
    QPushButton* btnConfirmar = nullptr;
    QPushButton* btnCancelar = nullptr;
};
