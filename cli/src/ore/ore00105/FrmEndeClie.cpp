#include "ore/ore00105/FrmEndeClie.h"

#include "framework/services/Dispatch.h"
#include "framework/services/HostText.h"
#include "framework/widgets/MaskEdit.h"
#include "ore/ore00105/EndeClieLocais.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString Celula(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().trimmed() : QString();
}

QGroupBox* Group(QWidget* parent, const char* name, const QString& title) {
    auto* g = new QGroupBox(title, parent);
    g->setObjectName(QString::fromLatin1(name));
    return g;
}

} // namespace

TfrmEndeClie::TfrmEndeClie(const TEndeClieParams& params, QWidget* parent)
    : TModalForm(parent), m_params(params) {
    setObjectName(QStringLiteral("frmEndeClie"));
    setWindowTitle(QStringLiteral("ORE00105 - Endereço do Cliente"));

    auto* main = new QVBoxLayout(this);
    QGroupBox* cliente = Group(this, "grpCliente", QStringLiteral("Cliente"));
    QGroupBox* endereco = Group(this, "grpEndereco", QStringLiteral("Endereço principal"));
    QGroupBox* contatos = Group(this, "grpContatos", QStringLiteral("Contatos"));
    MontaCliente(cliente);
    MontaEndereco(endereco);
    MontaContatos(contatos);
    main->addWidget(cliente);
    main->addWidget(endereco);
    main->addWidget(contatos, 1);

    btnConfirmar = new QPushButton(QStringLiteral("&Confirmar"), this);
    btnConfirmar->setObjectName(QStringLiteral("btnConfirmar"));
    btnConfirmar->setDefault(true);
    btnCancelar = new QPushButton(QStringLiteral("C&ancelar"), this);
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    btnCancelar->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnConfirmar);
    buttons->addWidget(btnCancelar);
    main->addLayout(buttons);

    m_locais = new TEndeClieLocais(cmbPais, cmbEstado, cmbMunicipio, this);
    connect(btnConfirmar, &QPushButton::clicked, this,
            [this] { Dispatch([this] { btnConfirmarClick(); }); });
    connect(btnCancelar, &QPushButton::clicked, this,
            [this] { Dispatch([this] { SetModalResult(mrCancel); }); });
    // Fits an 800x600 desktop with its frame.
    resize(720, 560);
}

void TfrmEndeClie::Carrega() {
    m_locais->Carrega();
    TEndeClie dados;
    if (LeEndeClie(*m_params.endeNovoClie, *m_params.inteclieOrev, m_params.chave, dados))
        Mostra(dados);
    if (grdContatos->rowCount() == 0)
        IncluiContato();
    rbtFisica->setFocus();
}

void TfrmEndeClie::Mostra(const TEndeClie& d) {
    rbtFisica->setChecked(d.tipo == u"F");
    rbtJuridica->setChecked(d.tipo == u"J");
    TipoMudou();
    medNrInscricao->SetText(d.inscricao);
    edtNmFantasia->setText(d.fantasia);
    edtNmRazaoSocial->setText(d.razao);
    m_locais->Escolhe(d.pais, d.estado, d.municipio);
    const std::pair<QLineEdit*, const QString*> edits[] = {
        {edtEndereco, &d.endereco}, {edtBairro, &d.bairro},     {edtComplemento, &d.complemento},
        {edtCep, &d.cep},           {edtTelefone, &d.telefone}, {edtRamal, &d.ramal},
        {edtCelular, &d.celular},   {edtFax, &d.fax},           {edtEmail, &d.email},
        {edtContato, &d.contato},
    };
    for (const auto& [edit, value] : edits)
        edit->setText(*value);
    grdContatos->setRowCount(0);
    for (const TContatoClie& c : d.contatos)
        IncluiContato(c);
}

QString TfrmEndeClie::Tipo() const {
    return rbtFisica->isChecked()     ? QStringLiteral("F")
           : rbtJuridica->isChecked() ? QStringLiteral("J")
                                      : QString();
}

void TfrmEndeClie::TipoMudou() {
    // The digits typed so far stay, laid out with the mask of the new kind.
    QString digits = medNrInscricao->Text();
    Ajusta_Inscricao(digits);
    medNrInscricao->SetEditMask(PictPess(Tipo()));
    medNrInscricao->SetText(digits);
}

void TfrmEndeClie::IncluiContato(const TContatoClie& c) {
    const int row = grdContatos->rowCount();
    grdContatos->insertRow(row);
    const QString values[] = {c.nome, c.cargo, c.telefone, c.email};
    for (int column = 0; column < 4; ++column)
        grdContatos->setItem(row, column, new QTableWidgetItem(values[column]));
}

void TfrmEndeClie::btnExcluirContatoClick() {
    const int row = grdContatos->currentRow();
    if (row >= 0)
        grdContatos->removeRow(row);
    if (grdContatos->rowCount() == 0)
        IncluiContato();
}

TEndeClie TfrmEndeClie::Dados() const {
    TEndeClie d;
    d.tipo = Tipo();
    d.inscricao = medNrInscricao->Text();
    Ajusta_Inscricao(d.inscricao);
    d.fantasia = edtNmFantasia->text().trimmed();
    d.razao = edtNmRazaoSocial->text().trimmed();
    d.pais = m_locais->Pais();
    d.nmPais = m_locais->NomePais();
    d.estado = m_locais->Estado();
    d.municipio = m_locais->Municipio();
    d.nmMunicipio = m_locais->NomeMunicipio();
    const std::pair<QString*, const QLineEdit*> edits[] = {
        {&d.endereco, edtEndereco}, {&d.bairro, edtBairro},     {&d.complemento, edtComplemento},
        {&d.cep, edtCep},           {&d.telefone, edtTelefone}, {&d.ramal, edtRamal},
        {&d.celular, edtCelular},   {&d.fax, edtFax},           {&d.email, edtEmail},
        {&d.contato, edtContato},
    };
    for (const auto& [value, edit] : edits)
        *value = edit->text().trimmed();
    for (int row = 0; row < grdContatos->rowCount(); ++row)
        d.contatos.push_back({Celula(grdContatos, row, 0), Celula(grdContatos, row, 1),
                              Celula(grdContatos, row, 2), Celula(grdContatos, row, 3)});
    return d;
}

QWidget* TfrmEndeClie::Controle(TCampoEndeClie campo) const {
    switch (campo) {
    case TCampoEndeClie::Tipo:
        return rbtFisica;
    case TCampoEndeClie::Inscricao:
        return medNrInscricao;
    case TCampoEndeClie::Fantasia:
        return edtNmFantasia;
    case TCampoEndeClie::Pais:
        return cmbPais;
    case TCampoEndeClie::Estado:
        return cmbEstado;
    case TCampoEndeClie::Municipio:
        return cmbMunicipio;
    case TCampoEndeClie::Endereco:
        return edtEndereco;
    case TCampoEndeClie::Contatos:
        return grdContatos;
    }
    return nullptr;
}

void TfrmEndeClie::btnConfirmarClick() {
    // A contact cell still being edited (Alt+C from it) commits its text as it loses the focus.
    btnConfirmar->setFocus();
    const TEndeClie dados = Dados();
    if (const auto recusa = VerificaEndeClie(dados)) {
        if (QWidget* w = Controle(recusa->campo))
            w->setFocus();
        MensErro(recusa->texto, true);
    }
    GravaEndeClie(*m_params.endeNovoClie, *m_params.inteclieOrev, m_params.chave, dados);
    SetModalResult(mrOk);
}
