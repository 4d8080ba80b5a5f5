#include "ore/ore00800/Cli_ore00802.h"

#include "core/data/DataSource.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/DBGrid.h"
#include "ore/ore00800/ErroOriPicture.h"
#include "ore/ore00800/PictureBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

constinit TfrmErroAprova* frmErroAprova = nullptr;

namespace {

QFrame* NewPanel(const QString& name, int height, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFixedHeight(height);
    return panel;
}

} // namespace

TfrmErroAprova::TfrmErroAprova() {
    setObjectName(QStringLiteral("frmErroAprova"));
    setWindowTitle(QStringLiteral("Atenção"));
    setFixedSize(600, 200);

    // Nothing in the top band takes the focus.
    Panel1 = NewPanel(QStringLiteral("Panel1"), 54, this);
    Panel1->setEnabled(false);
    imgErroOri = new TPictureBox(Panel1);
    imgErroOri->setObjectName(QStringLiteral("imgErroOri"));
    imgErroOri->SetPicture(ErroOriPicture());
    imgErroOri->setFixedSize(37, 38);

    Panel2 = NewPanel(QStringLiteral("Panel2"), 41, this);
    dtsProduto = new TDataSource(this);
    dtsProduto->setObjectName(QStringLiteral("dtsProduto"));
    // Titles in bold, whole rows, no editing, no indicator, no lines.
    dbgMensagem = new TDBGrid(this);
    dbgMensagem->setObjectName(QStringLiteral("dbgMensagem"));
    dbgMensagem->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::Tabs |
                            TGridOption::RowSelect | TGridOption::ConfirmDelete |
                            TGridOption::CancelOnExit);
    dbgMensagem->SetDataSource(dtsProduto);
    dbgMensagem->setFrameShape(QFrame::NoFrame);
    QPalette gridPalette = dbgMensagem->palette();
    gridPalette.setColor(QPalette::Base, gridPalette.color(QPalette::Button));
    dbgMensagem->setPalette(gridPalette);
    QFont titleFont = dbgMensagem->horizontalHeader()->font();
    titleFont.setBold(true);
    dbgMensagem->horizontalHeader()->setFont(titleFont);

    btnOK = new QPushButton(QStringLiteral("&OK"), Panel2);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setFixedSize(75, 25);
    btnOK->setDefault(true);

    memInforma = new QPlainTextEdit(Panel1);
    memInforma->setObjectName(QStringLiteral("memInforma"));
    memInforma->setReadOnly(true);
    memInforma->setFrameShape(QFrame::NoFrame);
    memInforma->setFocusPolicy(Qt::NoFocus);
    memInforma->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font = memInforma->font();
    font.setPointSize(10);
    memInforma->setFont(font);
    // Button-face ground, and readable text although its panel is disabled.
    QPalette palette = memInforma->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(QPalette::Active, QPalette::Button));
        palette.setColor(group, QPalette::Text,
                         palette.color(QPalette::Active, QPalette::ButtonText));
    }
    memInforma->setPalette(palette);
    memInforma->setPlainText(
        QStringLiteral("Não há departamento parametrizado para os seguintes produtos: "));

    auto* top = new QHBoxLayout(Panel1);
    top->setContentsMargins(8, 8, 8, 8);
    top->addWidget(imgErroOri, 0, Qt::AlignTop);
    top->addWidget(memInforma, 1);
    auto* bottom = new QHBoxLayout(Panel2);
    bottom->addStretch(1);
    bottom->addWidget(btnOK);
    bottom->addStretch(1);
    auto* form = new QVBoxLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    form->setSpacing(0);
    form->addWidget(Panel1);
    form->addWidget(dbgMensagem, 1);
    form->addWidget(Panel2);

    connect(btnOK, &QPushButton::clicked, this, [this] { Dispatch([this] { btnOKClick(); }); });
    // The form sees keys before its controls, the grid included.
    installEventFilter(this);
    dbgMensagem->installEventFilter(this);
    dbgMensagem->setFocus();
}

TfrmErroAprova::~TfrmErroAprova() {
    if (frmErroAprova == this)
        frmErroAprova = nullptr;
}

void TfrmErroAprova::done(int result) {
    // Every way of closing ends here: OK, Esc, the title bar.
    FormClose();
    QDialog::done(result);
}

bool TfrmErroAprova::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TfrmErroAprova::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

void TfrmErroAprova::btnOKClick() {
    close();
}

void TfrmErroAprova::btnSimClick() {
    close();
}

bool TfrmErroAprova::FormKeyDown(QKeyEvent* key) {
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    btnOK->click();
    return true;
}

void TfrmErroAprova::FormClose() {
    // Released once whoever opened it has its result back.
    deleteLater();
}

void TfrmErroAprova::FormActivate() {
    repaint();
}

void CriaErroAprova(TDataSet* cdsErro, const QString& stMensErro) {
    frmErroAprova = new TfrmErroAprova();
    frmErroAprova->dtsProduto->SetDataSet(cdsErro);
    frmErroAprova->memInforma->setPlainText(stMensErro);
    frmErroAprova->exec();
    // The dialog is on its way out: nobody may reach it any more.
    frmErroAprova = nullptr;
}
