// "Itens": the server's totals, the header, the price base and the items.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/DataSource.h"
#include "framework/net/NetConnection.h"
#include "framework/services/HostText.h"
#include "framework/services/ServerResult.h"
#include "framework/widgets/BtnPesquisa.h"
#include "framework/widgets/DBDateEditPlus.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DisplayEdit.h"
#include "framework/widgets/NumberEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/FechaOrca_DetailControls.h"
#include "ore/ore00800/FechaOrca_ItemGrid.h"
#include "ore/ore00800/PictureBox.h"
#include "ore/ore00800/services/ServerPayload.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace {

constexpr int kPanel3Height = 100;       // the budget over the price base
constexpr int kPanel3HeightNoPrice = 68; // the budget alone

QFrame* NewPanel(QWidget* parent, const char* name) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    return panel;
}

} // namespace

void TfrmFechaOrca::BuildItensPage() {
    QWidget* page = tshItens;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 4, 2, 2);

    // The server's totals of the budget, captions above their edits.
    auto* totals = new QGridLayout;
    const struct {
        TNumberEdit* TfrmFechaOrca::*member;
        const char* name;
        const char* caption;
    } shownTotals[] = {
        {&TfrmFechaOrca::nedTotalItem, "nedTotalItem", "Item"},
        {&TfrmFechaOrca::nedTotalMao, "nedTotalMao", "Mão de Obra"},
        {&TfrmFechaOrca::nedSalao, "nedSalao", "Salão"},
        {&TfrmFechaOrca::nedDesc, "nedDesc", "Desconto Geral"},
        {&TfrmFechaOrca::nedVrAcres, "nedVrAcres", "Acréscimo"},
        {&TfrmFechaOrca::nedTotal, "nedTotal", "Total Líquido"},
        {&TfrmFechaOrca::nedTotLiq, "nedTotLiq", "Total Realizado"},
        {&TfrmFechaOrca::nedVrPessoa, "nedVrPessoa", "Vr. por Pessoa"},
    };
    int column = 0;
    for (const auto& t : shownTotals) {
        auto* edit = new TNumberEdit(page);
        edit->setObjectName(QLatin1String(t.name));
        edit->SetDisplayFormat(QStringLiteral("#,##0.00"));
        SetDisplayOnly(edit);
        this->*t.member = edit;
        totals->addWidget(NewCaption(page, QString::fromUtf8(t.caption), edit), 0, column);
        totals->addWidget(edit, 1, column++);
    }
    layout->addLayout(totals);

    // Header area: the budget, and below it the price base when the
    // parameter shows it (LoadParamOrca).
    Panel3 = NewPanel(page, "Panel3");
    Panel3->setFixedHeight(kPanel3Height);
    auto* header = new QVBoxLayout(Panel3);
    header->setContentsMargins(0, 0, 0, 0);
    header->setSpacing(0);
    Panel6 = NewPanel(Panel3, "Panel6");
    auto* budget = new QGridLayout(Panel6);
    budget->setContentsMargins(0, 2, 0, 2);
    TDataSource* orca = dtsPadrao;
    auto field = [&](const char* name, int width = 0) {
        return NewShownField(Panel6, orca, name, width);
    };
    auto caption = [&](const char* text, QWidget* buddy) {
        return NewCaption(Panel6, QString::fromUtf8(text), buddy);
    };
    TDBEdit* cliente = field("DSCLIENTEORCA");
    TDBEdit* tipoEvento = field("NMTIPOEVENTO", 220);
    budget->addWidget(caption("Cliente", cliente), 0, 0);
    budget->addLayout(Row({cliente, caption("Tipo de Evento", tipoEvento), tipoEvento}), 0, 1);
    TDBDateEditPlus* dataHora = NewShownDate(Panel6, orca, "DTEVENTO");
    TDBEdit* convidados = field("QTCONVORCEVE", 55);
    TDBEdit* tipoServico = field("NMTPSERVEVEN", 220);
    budget->addWidget(caption("Data/Hora", dataHora), 1, 0);
    budget->addLayout(Row({dataHora, caption("Nr. Convidados", convidados), convidados, nullptr,
                           caption("Tipo de Serviço", tipoServico), tipoServico}),
                      1, 1);
    budget->setColumnStretch(1, 1);
    header->addWidget(Panel6, 1);

    Panel9 = NewPanel(Panel3, "Panel9");
    Label13 = new QLabel(QStringLiteral("Preço Base"), Panel9);
    Label13->setObjectName(QStringLiteral("Label13"));
    dbePrcBase = NewShownField(Panel9, orca, "CDPRECOBASE", 40, "dbePrcBase");
    Label13->setBuddy(dbePrcBase);
    btnPrcBase = new TBtnPesquisa(Panel9);
    btnPrcBase->setObjectName(QStringLiteral("btnPrcBase"));
    btnPrcBase->SetAssociate(dbePrcBase);
    btnPrcBase->setEnabled(false);
    DBEdit20 = NewShownField(Panel9, orca, "DSPRECOBASE", 240, "DBEdit20");
    QHBoxLayout* price = Row({Label13, dbePrcBase, btnPrcBase, DBEdit20, nullptr});
    price->setContentsMargins(0, 2, 0, 2);
    Panel9->setLayout(price);
    header->addWidget(Panel9);
    layout->addWidget(Panel3);

    dbgItemOrcaEven = new TDBGrid(page);
    dbgItemOrcaEven->setObjectName(QStringLiteral("dbgItemOrcaEven"));
    dbgItemOrcaEven->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::ColLines |
                                TGridOption::RowLines | TGridOption::Tabs |
                                TGridOption::AlwaysShowSelection | TGridOption::ConfirmDelete |
                                TGridOption::RowSelect);
    OnToolTipGround(dbgItemOrcaEven);
    dbgItemOrcaEven->SetDataSource(data.dtsItemOrcaEven);
    // Titled by their fields' labels where no title is given; the twelve fit
    // the page on an 800 × 600 desktop.
    const Qt::Alignment left = Qt::AlignLeft, right = Qt::AlignRight;
    const struct {
        const char* field;
        const char* title;
        Qt::Alignment alignment;
        int width;
    } columns[] = {
        {"CDARVPROD", "Produto", left, 62},
        {"NMPRODUTO", "Nome do Produto", left, 0},
        {"IDFATUITEMOREV", nullptr, Qt::AlignHCenter, 60},
        {"QTITEMORCEVE", "Quantidade", right, 0},
        {"SGUNIDADE", "Un.", left, 32},
        {"VRITEMORCEVE", "Preço Unitário", right, 0},
        {"VRDESCITOREV", nullptr, right, 0},
        {"VRACREITOREV", nullptr, right, 0},
        {"VRTOTALITEM", "Vr. Total", right, 62},
        {"NROPCAITOREV", "Opção", left, 0},
        {"CDGRTOTAPROD", "Tot.", left, 30},
        {"IDCUSTOFIXO", "Custo Fixo", left, 0},
    };
    // Each as wide as its title at least.
    const QFontMetrics titles = dbgItemOrcaEven->horizontalHeader()->fontMetrics();
    std::vector<TGridColumn> shown;
    for (const auto& c : columns) {
        TGridColumn col;
        col.FieldName = QLatin1String(c.field);
        col.Title = c.title ? QString::fromUtf8(c.title)
                            : data.cdsItemOrcaEven->FieldByName(col.FieldName).DisplayLabel();
        col.Alignment = c.alignment;
        col.Width = std::max(c.width, titles.horizontalAdvance(col.Title) + 6);
        shown.push_back(col);
    }
    dbgItemOrcaEven->SetColumns(std::move(shown));
    dbgItemOrcaEven->OnDrawColumnCell = [this](QPainter& painter, const QRect& rect, TField& field,
                                               const TGridColumn& column, QStyle::State state) {
        DrawItemCell(*dbgItemOrcaEven, painter, rect, field, column, state, imgCheck->Picture(),
                     imgUncheck->Picture());
    };
    dbgItemOrcaEven->OnKeyDown = [this](int& key, Qt::KeyboardModifiers modifiers) {
        dbgPadraoKeyDown(key, modifiers);
    };
    layout->addWidget(dbgItemOrcaEven, 1);

    data.cdsItemOrcaEven->FieldByName("NRINSJURFORN").OnGetText =
        RegistrationText(QStringLiteral("IDTPIJURFORN"));
}

void TfrmFechaOrca::LoadItens() {
    const TRecordSet* orca = data.cdsOrcaEvento;
    LoadFromServer(QStringLiteral("GetGeral"), CurrentKey(), data.cdsTotalOrca);
    NarrowToCurrent({data.cdsItemOrcaEven, data.cdsTotalOrca});

    // The server's totals as they stand: the screen sums nothing.
    const TRecordSet* total = data.cdsTotalOrca;
    auto amount = [total](const char* field) {
        return total->FieldByName(QLatin1String(field)).AsFloat();
    };
    nedTotalItem->SetNumber(amount("VRTOTAITEM"));
    nedTotalMao->SetNumber(amount("VRTOTALMAO"));
    nedVrAcres->SetNumber(amount("VRACREORCEVE"));
    nedSalao->SetNumber(amount("VRSALAORCEVE"));
    nedTotal->SetNumber(amount("TOTALIQUIDO"));
    nedTotLiq->SetNumber(amount("VRTOTALOREV"));
    nedDesc->SetNumber(amount("VRDESCORCEVE"));
    // Per guest of the main budget only; a child budget's guests are its parent's.
    const double guests = orca->FieldByName("QTCONVORCEVE").AsFloat();
    const bool main = Current("NRSEQORCAEVE") == u"00";
    nedVrPessoa->SetNumber(guests != 0 && main ? amount("VRTOTALOREV") / guests : 0);
}

void TfrmFechaOrca::LoadParamOrca() {
    LoadFromServer(QStringLiteral("GetParamOrca"), {}, data.cdsParamOrca);
    const bool shown = data.cdsParamOrca->FieldByName("IDORIGPRUNITORE").AsString() != u"C";
    for (QWidget* w :
         std::initializer_list<QWidget*>{Panel9, Label13, dbePrcBase, btnPrcBase, DBEdit20})
        w->setVisible(shown);
    // Without the price base the budget keeps its own height at the top.
    auto* header = static_cast<QBoxLayout*>(Panel3->layout());
    header->setStretchFactor(Panel6, shown ? 1 : 0);
    header->setAlignment(Panel6, shown ? Qt::Alignment() : Qt::AlignTop);
    Panel3->setFixedHeight(shown ? kPanel3Height : kPanel3HeightNoPrice);
}
