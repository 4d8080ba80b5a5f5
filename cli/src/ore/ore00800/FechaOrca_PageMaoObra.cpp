// "Mão de Obra": the budget's labour.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/DataSource.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/TabSheet.h"
#include "ore/ore00800/FechaOrca_DetailControls.h"

#include <QLabel>
#include <QVBoxLayout>

void TfrmFechaOrca::BuildMaoObraPage() {
    QWidget* page = tshMaoObra;
    auto* layout = new QVBoxLayout(page);
    dbgItMaoObra = new TDBGrid(page);
    dbgItMaoObra->setObjectName(QStringLiteral("dbgItMaoObra"));
    dbgItMaoObra->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::ColLines |
                             TGridOption::RowLines | TGridOption::Tabs |
                             TGridOption::AlwaysShowSelection | TGridOption::RowSelect);
    dbgItMaoObra->SetDataSource(data.dtsItMaoObra);
    const struct {
        const char* field;
        const char* title;
        int width;
    } columns[] = {
        {"NRTURNO", "Equipe", 50},
        {"DSTURNO", "Descrição da Equipe", 150},
        {"CDARVPROD", "Mão de Obra", 85},
        {"NMPRODUTO", "Descrição da Mão de Obra", 200},
        {"QTPRODMOBRA", "Quantidade", 75},
        {"CDGRTOTAPROD", "Totalizador", 75},
        {"VRCOBRMOBRA", "Valor Cobrado", 95},
    };
    std::vector<TGridColumn> shown;
    for (const auto& c : columns) {
        TGridColumn col;
        col.FieldName = QLatin1String(c.field);
        col.Title = QString::fromUtf8(c.title);
        col.Width = c.width;
        shown.push_back(col);
    }
    dbgItMaoObra->SetColumns(std::move(shown));
    layout->addWidget(dbgItMaoObra, 1);

    TDBEdit* code = NewShownField(page, dtsPadrao, "CDPREBAMOBRA", 40);
    layout->addLayout(Row({NewCaption(page, QStringLiteral("Preço Base"), code), code,
                           NewShownField(page, dtsPadrao, "DSPREMAOOBRA", 240), nullptr}));
}

void TfrmFechaOrca::LoadMaoObra() {
    NarrowToCurrent({data.cdsItMaoObra});
}
