#include "framework/forms/FrmOpcoes.h"

#include "framework/db/OptionSetStore.h"
#include "framework/services/Dialogs.h"
#include "framework/services/Dispatch.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfrmOpcoes::TfrmOpcoes(TMode mode, TOptionSetStore& store, QWidget* parent)
    : QDialog(parent), m_mode(mode), m_store(store), lstOpcoes(new QListWidget(this)),
      edtNome(new QLineEdit(this)), btnOK(new QPushButton(this)),
      btnExcluir(new QPushButton(QStringLiteral("&Excluir"), this)),
      btnCancelar(new QPushButton(QStringLiteral("&Cancelar"), this)) {
    const bool saving = mode == TMode::Save;
    setWindowTitle(saving ? QStringLiteral("Salvar opções") : QStringLiteral("Carregar opções"));
    lstOpcoes->setObjectName(QStringLiteral("lstOpcoes"));
    edtNome->setObjectName(QStringLiteral("edtNome"));
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnExcluir->setObjectName(QStringLiteral("btnExcluir"));
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));
    btnOK->setText(saving ? QStringLiteral("&Salvar") : QStringLiteral("&Carregar"));
    btnOK->setDefault(true);
    edtNome->setMaxLength(60); // the store's limit
    edtNome->setVisible(saving);
    btnExcluir->setVisible(!saving);

    lstOpcoes->addItems(store.Names());
    if (!saving && lstOpcoes->count() > 0)
        lstOpcoes->setCurrentRow(0);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnExcluir);
    buttons->addWidget(btnCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstOpcoes);
    layout->addWidget(edtNome);
    layout->addLayout(buttons);

    connect(lstOpcoes, &QListWidget::currentRowChanged, this, [this] {
        if (m_mode == TMode::Save && lstOpcoes->currentItem())
            edtNome->setText(lstOpcoes->currentItem()->text());
        UpdateButtons();
    });
    connect(lstOpcoes, &QListWidget::itemDoubleClicked, this, [this] {
        if (m_mode == TMode::Load)
            Dispatch([this] { btnOKClick(); });
    });
    connect(btnOK, &QPushButton::clicked, this, [this] { Dispatch([this] { btnOKClick(); }); });
    connect(btnExcluir, &QPushButton::clicked, this,
            [this] { Dispatch([this] { btnExcluirClick(); }); });
    connect(btnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    UpdateButtons();
    (saving ? static_cast<QWidget*>(edtNome) : lstOpcoes)->setFocus();
}

QString TfrmOpcoes::SelectedName() const {
    const QListWidgetItem* item = lstOpcoes->currentItem();
    return item ? item->text() : QString();
}

QString TfrmOpcoes::Name() const {
    return (m_mode == TMode::Save ? edtNome->text() : SelectedName()).trimmed();
}

void TfrmOpcoes::UpdateButtons() {
    if (m_mode == TMode::Save)
        return;
    const bool picked = lstOpcoes->currentItem() != nullptr;
    btnOK->setEnabled(picked);
    btnExcluir->setEnabled(picked);
}

void TfrmOpcoes::btnOKClick() {
    if (Name().isEmpty())
        MensErro(QStringLiteral("Informe o nome da opção."));
    accept();
}

void TfrmOpcoes::btnExcluirClick() {
    const QString name = SelectedName();
    if (name.isEmpty() ||
        !TDialogs::Current().YesNo(QStringLiteral("Excluir a opção \"%1\"?").arg(name)))
        return;
    m_store.Delete(name);
    delete lstOpcoes->takeItem(lstOpcoes->currentRow());
    UpdateButtons();
}
