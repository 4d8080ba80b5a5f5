// "Observação": the internal observations by department and the external one.

#include "ore/ore00800/Cli_ore00800.h"

#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DBRichView.h"
#include "framework/widgets/TabSheet.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

void TfrmFechaOrca::BuildObservacaoPage() {
    // Each department's text beside the list of departments.
    auto* interna = new QHBoxLayout(tshObsInt);
    dbgObsIntOrcaEv = new TDBGrid(tshObsInt);
    dbgObsIntOrcaEv->setObjectName(QStringLiteral("dbgObsIntOrcaEv"));
    dbgObsIntOrcaEv->SetOptions(TGridOptions(TGridOption::Titles) | TGridOption::ColLines |
                                TGridOption::RowLines | TGridOption::RowSelect |
                                TGridOption::AlwaysShowSelection);
    dbgObsIntOrcaEv->SetDataSource(data.dtsObsIntOrcaEv);
    dbgObsIntOrcaEv->SetColumns(
        {{QStringLiteral("CDDEPTO"), QStringLiteral("Código"), 50},
         {QStringLiteral("NMDEPTO"), QStringLiteral("Nome do Departamento"), 190}});
    dbgObsIntOrcaEv->setFixedWidth(260);
    interna->addWidget(dbgObsIntOrcaEv);
    dbrObsInt = new TDBRichView(tshObsInt);
    dbrObsInt->setObjectName(QStringLiteral("dbrObsInt"));
    dbrObsInt->SetDataSource(data.dtsObsIntOrcaEv);
    dbrObsInt->SetDataField(QStringLiteral("TXOBSINTOREV"));
    interna->addWidget(dbrObsInt, 1);

    auto* externa = new QVBoxLayout(tshObsExt);
    dbrObsExt = new TDBRichView(tshObsExt);
    dbrObsExt->setObjectName(QStringLiteral("dbrObsExt"));
    dbrObsExt->SetDataSource(data.dtsObsExtOrcaEv);
    dbrObsExt->SetDataField(QStringLiteral("TXOBSEXTOREV"));
    externa->addWidget(dbrObsExt);
}

void TfrmFechaOrca::LoadObservacao() {
    NarrowToCurrent({data.cdsObsExtOrcaEv, data.cdsObsIntOrcaEv});
}
