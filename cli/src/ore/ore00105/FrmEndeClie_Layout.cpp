// The controls of the screen and where they sit; what they do is in FrmEndeClie.cpp.
#include "ore/ore00105/FrmEndeClie.h"

#include "framework/services/Dispatch.h"
#include "framework/widgets/MaskEdit.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

template <class W> W* Named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QLineEdit* Edit(QWidget* parent, const char* name, int maxLength) {
    auto* e = Named(new QLineEdit(parent), name);
    e->setMaxLength(maxLength);
    return e;
}

QComboBox* Combo(QWidget* parent, const char* name) {
    auto* c = Named(new QComboBox(parent), name);
    c->setMaxVisibleItems(15);
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(18);
    return c;
}

// A label that gives its control's shortcut and focus.
QLabel* Label(const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text, buddy->parentWidget());
    l->setBuddy(buddy);
    return l;
}

// The contact grid's columns hold no more than their fields do: name, role,
// phone, e-mail.
int TamanhoContato(int column) {
    static constexpr int sizes[] = {50, 30, 25, 50};
    return column >= 0 && column < 4 ? sizes[column] : 0;
}

class TContatoDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* e = qobject_cast<QLineEdit*>(editor))
            e->setMaxLength(TamanhoContato(index.column()));
        return editor;
    }
};

} // namespace

void TfrmEndeClie::MontaCliente(QWidget* box) {
    auto* grid = new QGridLayout(box);
    rbtFisica = Named(new QRadioButton(QStringLiteral("Pessoa &física"), box), "rbtFisica");
    rbtJuridica = Named(new QRadioButton(QStringLiteral("Pessoa &jurídica"), box), "rbtJuridica");
    auto* tipos = new QButtonGroup(box);
    tipos->addButton(rbtFisica);
    tipos->addButton(rbtJuridica);
    auto* tipoRow = new QHBoxLayout;
    tipoRow->addWidget(rbtFisica);
    tipoRow->addWidget(rbtJuridica);
    tipoRow->addStretch();
    medNrInscricao = Named(new TMaskEdit(box), "medNrInscricao");
    medNrInscricao->setMaxLength(20);
    edtNmFantasia = Edit(box, "edtNmFantasia", 50);
    edtNmRazaoSocial = Edit(box, "edtNmRazaoSocial", 50);

    grid->addWidget(new QLabel(QStringLiteral("Tipo de inscrição:"), box), 0, 0);
    grid->addLayout(tipoRow, 0, 1);
    grid->addWidget(Label(QStringLiteral("&Inscrição:"), medNrInscricao), 0, 2);
    grid->addWidget(medNrInscricao, 0, 3);
    grid->addWidget(Label(QStringLiteral("Nome fa&ntasia:"), edtNmFantasia), 1, 0);
    grid->addWidget(edtNmFantasia, 1, 1, 1, 3);
    grid->addWidget(Label(QStringLiteral("&Razão social:"), edtNmRazaoSocial), 2, 0);
    grid->addWidget(edtNmRazaoSocial, 2, 1, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    connect(rbtFisica, &QRadioButton::toggled, this, [this] { Dispatch([this] { TipoMudou(); }); });
    connect(rbtJuridica, &QRadioButton::toggled, this,
            [this] { Dispatch([this] { TipoMudou(); }); });
}

void TfrmEndeClie::MontaEndereco(QWidget* box) {
    auto* grid = new QGridLayout(box);
    cmbPais = Combo(box, "cmbPais");
    cmbEstado = Combo(box, "cmbEstado");
    cmbMunicipio = Combo(box, "cmbMunicipio");
    edtCep = Edit(box, "edtCep", 15);
    edtEndereco = Edit(box, "edtEndereco", 50);
    edtBairro = Edit(box, "edtBairro", 30);
    edtComplemento = Edit(box, "edtComplemento", 200);
    edtTelefone = Edit(box, "edtTelefone", 25);
    edtRamal = Edit(box, "edtRamal", 4);
    edtCelular = Edit(box, "edtCelular", 25);
    edtFax = Edit(box, "edtFax", 25);
    edtEmail = Edit(box, "edtEmail", 50);
    edtContato = Edit(box, "edtContato", 30);

    const struct {
        const char* label;
        QWidget* control;
        int row, column, span;
    } cells[] = {
        {"&País:", cmbPais, 0, 0, 1},
        {"&Estado:", cmbEstado, 0, 2, 1},
        {"&Município:", cmbMunicipio, 1, 0, 1},
        {"CEP:", edtCep, 1, 2, 1},
        {"&Logradouro:", edtEndereco, 2, 0, 3},
        {"&Bairro:", edtBairro, 3, 0, 1},
        {"Complemento:", edtComplemento, 3, 2, 1},
        {"&Telefone:", edtTelefone, 4, 0, 1},
        {"Ramal:", edtRamal, 4, 2, 1},
        {"Celular:", edtCelular, 5, 0, 1},
        {"Fax:", edtFax, 5, 2, 1},
        {"E-mail:", edtEmail, 6, 0, 1},
        {"C&ontato:", edtContato, 6, 2, 1},
    };
    for (const auto& c : cells) {
        grid->addWidget(Label(QString::fromUtf8(c.label), c.control), c.row, c.column);
        grid->addWidget(c.control, c.row, c.column + 1, 1, c.span);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

void TfrmEndeClie::MontaContatos(QWidget* box) {
    auto* row = new QHBoxLayout(box);
    grdContatos = Named(new QTableWidget(0, 4, box), "grdContatos");
    grdContatos->setHorizontalHeaderLabels({QStringLiteral("Nome"), QStringLiteral("Cargo"),
                                            QStringLiteral("Telefone"), QStringLiteral("E-mail")});
    grdContatos->setItemDelegate(new TContatoDelegate(grdContatos));
    grdContatos->setSelectionMode(QAbstractItemView::SingleSelection);
    grdContatos->setEditTriggers(QAbstractItemView::AllEditTriggers);
    grdContatos->setTabKeyNavigation(false);
    grdContatos->verticalHeader()->setDefaultSectionSize(22);
    grdContatos->horizontalHeader()->setStretchLastSection(true);
    grdContatos->setColumnWidth(0, 170);
    grdContatos->setColumnWidth(1, 110);
    grdContatos->setColumnWidth(2, 110);
    btnIncluirContato =
        Named(new QPushButton(QStringLiteral("Incl&uir"), box), "btnIncluirContato");
    btnExcluirContato =
        Named(new QPushButton(QStringLiteral("E&xcluir"), box), "btnExcluirContato");
    for (QPushButton* b : {btnIncluirContato, btnExcluirContato})
        b->setAutoDefault(false);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(btnIncluirContato);
    buttons->addWidget(btnExcluirContato);
    buttons->addStretch();
    row->addWidget(grdContatos, 1);
    row->addLayout(buttons);

    connect(btnIncluirContato, &QPushButton::clicked, this, [this] {
        Dispatch([this] {
            IncluiContato();
            grdContatos->setFocus();
            grdContatos->setCurrentCell(grdContatos->rowCount() - 1, 0);
        });
    });
    connect(btnExcluirContato, &QPushButton::clicked, this,
            [this] { Dispatch([this] { btnExcluirContatoClick(); }); });
}
