#include "ore/ore06400/ProcOrca.h"

#include "core/data/Field.h"
#include "core/data/RecordSet.h"
#include "framework/services/Dispatch.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DisplayEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// A caption and the read-only edit of one field, as a screen line shows them.
struct TShown {
    const char* caption;
    const char* field; // null: a text the screen writes itself
    const char* name;
    int span = 1; // edit columns taken
};

// Lines of captioned fields on a grid of three caption/edit pairs.
void AddLines(QGridLayout* grid, TDataSource* source,
              std::initializer_list<std::initializer_list<TShown>> lines) {
    int row = 0;
    for (const auto& line : lines) {
        int col = 0;
        for (const TShown& s : line) {
            QLineEdit* edit = nullptr;
            if (s.field) {
                auto* bound = new TDBEdit(grid->parentWidget());
                bound->SetDataSource(source);
                bound->SetDataField(QLatin1String(s.field));
                edit = bound;
            } else {
                edit = new QLineEdit(grid->parentWidget());
            }
            edit->setObjectName(QLatin1String(s.name));
            SetDisplayOnly(edit);
            auto* caption = new QLabel(QString::fromUtf8(s.caption), grid->parentWidget());
            caption->setBuddy(edit);
            grid->addWidget(caption, row, col);
            grid->addWidget(edit, row, col + 1, 1, 2 * s.span - 1);
            col += 2 * s.span;
        }
        ++row;
    }
    for (int c = 1; c < 6; c += 2)
        grid->setColumnStretch(c, 1);
}

// A page of `pages` holding one read-only grid over `source`.
TDBGrid* NewGridPage(TPageControl* pages, TTabSheet*& page, const char* caption,
                     const char* pageName, const char* name, TDataSource* source,
                     std::vector<TGridColumn> columns) {
    page = new TTabSheet(pages, QString::fromUtf8(caption));
    page->setObjectName(QLatin1String(pageName));
    auto* grid = new TDBGrid(page);
    grid->setObjectName(QLatin1String(name));
    grid->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::Indicator |
                     TGridOption::ColLines | TGridOption::RowLines | TGridOption::RowSelect |
                     TGridOption::AlwaysShowSelection);
    grid->SetColumns(std::move(columns));
    grid->SetDataSource(source);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(grid);
    return grid;
}

} // namespace

QWidget* TfrmProcOrca::BuildHeader() {
    auto* box = new QGroupBox(QStringLiteral("Orçamento"), this);
    box->setObjectName(QStringLiteral("grbOrcamento"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    AddLines(grid, dtsOrcaEvento,
             {{{"Filial", "NMFILIAL", "dbeNmFilial", 2},
               {"Orçamento", "NRORCAEVENTO", "dbeNrOrcaEvento"}},
              {{"Título", "DSTITUORCEVE", "dbeTitulo", 2},
               {"Sequência", "NRSEQORCAEVE", "dbeNrSeqOrcaEve"}},
              {{"Cliente", nullptr, "edtCliente", 2}, {"Situação", nullptr, "edtSituacao"}},
              {{"Contratante", "NMFANTCONT", "dbeContratante", 2},
               {"Convidados", "QTCONVORCEVE", "dbeConvidados"}},
              {{"Evento", "DTEVENTO", "dbeDtEvento"},
               {"Duração (h)", "QTHREVENTO", "dbeDuracao"},
               {"Validade", "DTVALIORCEVE", "dbeDtValidade"}},
              {{"Tipo do evento", "NMTIPOEVENTO", "dbeTipoEvento"},
               {"Tipo de serviço", "NMTPSERVEVEN", "dbeTipoServico"},
               {"Adultos", "QTADULORCEVE", "dbeAdultos"}},
              {{"Vendedor", "NMFANVEN", "dbeVendedor"},
               {"Gerente", "NMFANGER", "dbeGerente"},
               {"Crianças", "QTCRIAORCEVE", "dbeCriancas"}},
              {{"Pagamento", "NMFORMPGTO", "dbePagamento"},
               {"Supervisor", "NMFANSUP", "dbeSupervisor"},
               {"Recebimento", "NMTPRECEOREV", "dbeRecebimento"}}});
    edtSituacao = box->findChild<QLineEdit*>(QStringLiteral("edtSituacao"));
    edtCliente = box->findChild<QLineEdit*>(QStringLiteral("edtCliente"));
    return box;
}

QWidget* TfrmProcOrca::BuildTotals() {
    auto* box = new QGroupBox(QStringLiteral("Totais"), this);
    box->setObjectName(QStringLiteral("grbTotais"));
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setVerticalSpacing(3);
    AddLines(grid, dtsTotalOrca,
             {{{"Itens", "VRTOTAITEM", "dbeVrTotaItem"},
               {"Mão de obra", "VRTOTALMAO", "dbeVrTotalMao"},
               {"Salões", "VRSALAORCEVE", "dbeVrSalao"}},
              {{"Desconto", "VRDESCORCEVE", "dbeVrDesconto"},
               {"Acréscimo", "VRACREORCEVE", "dbeVrAcrescimo"},
               {"Total", "TOTALIQUIDO", "dbeTotaLiquido"}}});
    for (QLineEdit* e : box->findChildren<QLineEdit*>())
        e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return box;
}

QWidget* TfrmProcOrca::BuildPages() {
    pgcDetalhes = new TPageControl(this);
    pgcDetalhes->setObjectName(QStringLiteral("pgcDetalhes"));
    grdItens = NewGridPage(pgcDetalhes, tshItens, "Itens", "tshItens", "grdItens", dtsItemOrcaEven,
                           {{"CDPRODUTO", "Produto", 60},
                            {"NMPRODUTO", "Descrição", 170},
                            {"SGUNIDADE", "Un.", 40},
                            {"QTITEMORCEVE", "Qtde.", 65},
                            {"VRITEMORCEVE", "Vr. Unitário", 80},
                            {"VRDESCITOREV", "Vr. Desc.", 70},
                            {"VRACREITOREV", "Vr. Acres.", 70},
                            {"NMFANTFORN", "Fornecedor", 95},
                            {"IDFATUITEMOREV", "Faturar", 50}});
    grdSaloes =
        NewGridPage(pgcDetalhes, tshSaloes, "Salões", "tshSaloes", "grdSaloes", dtsSalaoEven,
                    {{"CDSALAOEVEN", "Código", 60},
                     {"NMSALAOEVEN", "Salão", 260},
                     {"IDSITAGENSAL", "Agenda", 90},
                     {"NRRESERSALAO", "Reserva", 60},
                     {"DTVALRESESAL", "Validade da reserva", 130}});
    grdMaoObra = NewGridPage(pgcDetalhes, tshMaoObra, "Mão de Obra", "tshMaoObra", "grdMaoObra",
                             dtsItMaoObra,
                             {{"DSTURNO", "Turno", 150},
                              {"CDPRODUTO", "Produto", 60},
                              {"NMPRODUTO", "Descrição", 170},
                              {"SGUNIDADE", "Un.", 40},
                              {"QTPRODMOBRA", "Qtde.", 65},
                              {"VRCOBRMOBRA", "Vr. Cobrado", 85},
                              {"VRPAGOMOBRA", "Vr. Pago", 85},
                              {"IDMOBRAEXTRA", "Extra", 45}});
    pgcDetalhes->SetActivePage(tshItens);
    return pgcDetalhes;
}

QWidget* TfrmProcOrca::BuildButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    lblChamada = new QLabel(
        QStringLiteral("Aberta por %1, operador %2.").arg(m_params.telaOrigem, m_params.operador),
        bar);
    lblChamada->setObjectName(QStringLiteral("lblChamada"));
    btnAtualizar = new QPushButton(QStringLiteral("&Atualizar"), bar);
    btnAtualizar->setObjectName(QStringLiteral("btnAtualizar"));
    btnAtualizar->setToolTip(QStringLiteral("Lê o orçamento de novo no servidor"));
    btnFechar = new QPushButton(QStringLiteral("&Fechar"), bar);
    btnFechar->setObjectName(QStringLiteral("btnFechar"));
    btnFechar->setDefault(true);
    row->addWidget(lblChamada, 1);
    row->addWidget(btnAtualizar);
    row->addWidget(btnFechar);
    connect(btnAtualizar, &QPushButton::clicked, this,
            [this] { Dispatch([this] { btnAtualizarClick(); }); });
    connect(btnFechar, &QPushButton::clicked, this,
            [this] { Dispatch([this] { btnFecharClick(); }); });
    return bar;
}

void TfrmProcOrca::BuildLayout() {
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(8, 8, 8, 8);
    main->setSpacing(6);
    lblSituacaoAlterada = new QLabel(this);
    lblSituacaoAlterada->setObjectName(QStringLiteral("lblSituacaoAlterada"));
    lblSituacaoAlterada->setWordWrap(true);
    lblSituacaoAlterada->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    lblSituacaoAlterada->hide();
    main->addWidget(BuildHeader());
    main->addWidget(lblSituacaoAlterada);
    main->addWidget(BuildTotals());
    main->addWidget(BuildPages(), 1);
    main->addWidget(BuildButtons());
}
