// "Forma de Pagamento": how the budget is paid, looked at only.

#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/FechaOrca_DetailControls.h"

#include "core/data/DataSource.h"
#include "core/data/RecordSet.h"
#include "framework/net/NetConnection.h"
#include "framework/services/ServerResult.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBCheckBox.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DBRadioGroup.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/services/ServerPayload.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QLabel* Caption(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QSpinBox* Spin(QWidget* parent, const char* name, int max) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QLatin1String(name));
    spin->setRange(1, max);
    spin->setFixedWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 36);
    // Locked on every move, yet its number reads as any shown value does.
    ShowOnly(spin);
    return spin;
}

QList<QRadioButton*> Items(const TDBRadioGroup* group) {
    return group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
}

} // namespace

void TfrmFechaOrca::BuildFormaPgtoPage() {
    TDataSource* orca = OrcaLeitura();
    auto* page = new QVBoxLayout(tshFormaPgto);

    drgFormPgto = new TDBRadioGroup(tshFormaPgto);
    drgFormPgto->setObjectName(QStringLiteral("drgFormPgto"));
    drgFormPgto->SetItems({QStringLiteral("Sem Forma de Pagamento (Vencimento na data do evento)"),
                           QStringLiteral("Pagamento Fixo no Dia"),
                           QStringLiteral("Pela Forma de Pagamento")});
    drgFormPgto->SetValues({QStringLiteral("X"), QStringLiteral("F"), QStringLiteral("V")});
    drgFormPgto->SetDataSource(orca);
    drgFormPgto->SetDataField(QStringLiteral("IDTPFORMPGTOREV"));
    // The day and instalments, and the payment form, on the line of the item
    // they belong to.
    const QList<QRadioButton*> items = Items(drgFormPgto);
    delete drgFormPgto->layout();
    auto* lines = new QGridLayout(drgFormPgto);
    lines->setColumnStretch(2, 1);
    for (int i = 0; i < items.size(); ++i)
        lines->addWidget(items[i], i, 0, 1, i == 0 ? 3 : 1);

    auto* fixo = new QHBoxLayout;
    speDiaFixo = Spin(drgFormPgto, "speDiaFixo", 31);
    lblCom = Caption(drgFormPgto, "lblCom", QStringLiteral("com"));
    speParcela = Spin(drgFormPgto, "speParcela", 99);
    lblParcelas = Caption(drgFormPgto, "lblParcelas", QStringLiteral("Parcela(s)"));
    lblParenteses = Caption(drgFormPgto, "lblParenteses", QStringLiteral("("));
    dckProxMes = new TDBCheckBox(drgFormPgto);
    dckProxMes->setObjectName(QStringLiteral("dckProxMes"));
    dckProxMes->setText(QStringLiteral("1ª Próximo Mês )"));
    dckProxMes->ValueChecked = QStringLiteral("E");
    dckProxMes->ValueUnchecked = QStringLiteral("I");
    dckProxMes->SetDataSource(orca);
    dckProxMes->SetDataField(QStringLiteral("IDMESINIPGTOREV"));
    for (QWidget* w : std::initializer_list<QWidget*>{speDiaFixo, lblCom, speParcela, lblParcelas,
                                                      lblParenteses, dckProxMes})
        fixo->addWidget(w);
    fixo->addStretch(1);
    lines->addLayout(fixo, 1, 1, 1, 2);

    auto* forma = new QHBoxLayout;
    dbeCDFORMPGTO = new TDBEdit(drgFormPgto);
    dbeCDFORMPGTO->setObjectName(QStringLiteral("dbeCDFORMPGTO"));
    dbeCDFORMPGTO->SetDataSource(orca);
    dbeCDFORMPGTO->SetDataField(QStringLiteral("CDFORMPGTO"));
    dbeCDFORMPGTO->setFixedWidth(dbeCDFORMPGTO->fontMetrics().averageCharWidth() * 2 + 14);
    ShowOnly(dbeCDFORMPGTO);
    forma->addWidget(dbeCDFORMPGTO);
    btpFormPgto = new TBtnPesquisa(drgFormPgto);
    btpFormPgto->setObjectName(QStringLiteral("btpFormPgto"));
    btpFormPgto->setToolTip(QStringLiteral("Pesquisar"));
    btpFormPgto->SetTitle(QStringLiteral("Forma de Pagamento"));
    btpFormPgto->SetAssociate(dbeCDFORMPGTO);
    forma->addWidget(btpFormPgto);
    dbeNMFORMPGTO = new TDBEdit(drgFormPgto);
    dbeNMFORMPGTO->setObjectName(QStringLiteral("dbeNMFORMPGTO"));
    dbeNMFORMPGTO->SetDataSource(orca);
    dbeNMFORMPGTO->SetDataField(QStringLiteral("NMFORMPGTO"));
    forma->addWidget(dbeNMFORMPGTO, 1);
    lines->addLayout(forma, 2, 1, 1, 2);
    page->addWidget(drgFormPgto);

    dbgPrazoPgClie = new TDBGrid(tshFormaPgto);
    dbgPrazoPgClie->setObjectName(QStringLiteral("dbgPrazoPgClie"));
    OnToolTipGround(dbgPrazoPgClie);
    const QFont titles = dbgPrazoPgClie->font();
    QFont arial = titles;
    arial.setFamily(QStringLiteral("Arial"));
    dbgPrazoPgClie->setFont(arial);
    dbgPrazoPgClie->horizontalHeader()->setFont(titles);
    dbgPrazoPgClie->SetDataSource(data.dtsPrazoPgto);
    dbgPrazoPgClie->SetColumns(
        {{QStringLiteral("QTDIASPGTOREV"), QStringLiteral("Prazo"), 60},
         {QStringLiteral("VRPERCPGTOREV"), QStringLiteral("Percentual"), 80, Qt::AlignRight},
         {QStringLiteral("DTVENCPARCOREV"), {}, 90},
         {QStringLiteral("VRPARCELAOREV"), {}, 100},
         {QStringLiteral("DSOBSPARCOREV"), {}, 300}});
    // The terms are looked at, not removed, while the budget is browsed.
    dbgPrazoPgClie->OnKeyDown = [this](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Delete && data.cdsOrcaEvento->State() == TDataSetState::Browse)
            key = 0;
    };
    page->addWidget(dbgPrazoPgClie, 1);
    page->addStretch(0);
}

void TfrmFechaOrca::LoadFormaPgto() {
    const TRecordSet* orca = data.cdsOrcaEvento;
    const QString kind = orca->FieldByName("IDTPFORMPGTOREV").AsString();
    // "X" is what "Sem Forma de Pagamento" stores: shown as no kind is.
    if (kind.trimmed().isEmpty() || kind == u"E" || kind == u"X") {
        Items(drgFormPgto)[0]->setChecked(true);
        speDiaFixo->clear();
        speParcela->clear();
        dbgPrazoPgClie->hide();
    } else if (kind == u"F") {
        Items(drgFormPgto)[1]->setChecked(true);
        speDiaFixo->setValue(int(orca->FieldByName("NRDIAPGTOREV").AsInteger()));
        speParcela->setValue(int(orca->FieldByName("QTPARCPGTOREV").AsInteger()));
        dbgPrazoPgClie->hide();
    } else if (kind == u"V") {
        Items(drgFormPgto)[2]->setChecked(true);
        speDiaFixo->clear();
        speParcela->clear();
        dbgPrazoPgClie->show();
        // While the budget is edited its terms are not fetched again.
        const TDataSetState state = orca->State();
        if (state != TDataSetState::Edit && state != TDataSetState::Insert) {
            LoadFromServer(QStringLiteral("GetPrazoPgto"), CurrentKey(), data.cdsPrazoPgto);
        }
    }
}

void TfrmFechaOrca::LockFormaPgto() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{btpFormPgto, dbeCDFORMPGTO, speDiaFixo, speParcela, lblCom,
                                         lblParcelas, dckProxMes, lblParenteses})
        w->setEnabled(false);
    dbgPrazoPgClie->SetOptions(dbgPrazoPgClie->Options() & ~TGridOptions(TGridOption::Editing));
}
