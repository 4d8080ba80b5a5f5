#include "ore/ore00800/model/FechaOrcaData.h"

#include "core/layouts/ControlLayouts.h"
#include "core/layouts/OrcaLayouts.h"
#include "ore/ore00800/model/CalcFields.h"

#include <QObject>

#include <array>

namespace {

using D = TFechaOrcaData;

const std::array RecordSetDecls{
    TRecordSetDecl{"cdsOrcaEvento", LayoutOrcaEvento, &D::cdsOrcaEvento, false},
    TRecordSetDecl{"cdsItemOrcaEven", LayoutItemOrcaEven, &D::cdsItemOrcaEven, false},
    TRecordSetDecl{"cdsTotalOrca", LayoutTotalOrca, &D::cdsTotalOrca, false},
    TRecordSetDecl{"cdsItMaoObra", LayoutItMaoObra, &D::cdsItMaoObra, false},
    TRecordSetDecl{"cdsItMaoObraAux", LayoutItMaoObra, &D::cdsItMaoObraAux, false},
    TRecordSetDecl{"cdsObsExtOrcaEv", LayoutObsExtOrcaEv, &D::cdsObsExtOrcaEv, false},
    TRecordSetDecl{"cdsObsIntOrcaEv", LayoutObsIntOrcaEv, &D::cdsObsIntOrcaEv, false},
    TRecordSetDecl{"cdsPrazoPgto", LayoutPrazoPgto, &D::cdsPrazoPgto, false},
    TRecordSetDecl{"cdsSalaoEven", LayoutSalaoEven, &D::cdsSalaoEven, false},
    TRecordSetDecl{"cdsTotalGrupo", LayoutTotalGrupo, &D::cdsTotalGrupo, false},
    TRecordSetDecl{"cdsTotalOpcao", LayoutTotalOpcao, &D::cdsTotalOpcao, false},
    TRecordSetDecl{"cdsOperControle", LayoutOperControle, &D::cdsOperControle, false},
    TRecordSetDecl{"cdsParamControle", LayoutParamControle, &D::cdsParamControle, false},
    TRecordSetDecl{"cdsParamOrca", LayoutParamOrca, &D::cdsParamOrca, false},
    TRecordSetDecl{"cdsExisteContratante", LayoutExisteContratante, &D::cdsExisteContratante,
                   false},
    TRecordSetDecl{"cdsVerifOrcaFecha", LayoutVerifOrcaFecha, &D::cdsVerifOrcaFecha, false},
    // Another screen writes the new client into these two during a closing,
    // so they must be open before any packet exists.
    TRecordSetDecl{"cdsEndeNovoClie", LayoutEndeNovoClie, &D::cdsEndeNovoClie, true},
    TRecordSetDecl{"cdsInteclieOrev", LayoutInteclieOrev, &D::cdsInteclieOrev, true},
    TRecordSetDecl{"cdsErro", LayoutErro, &D::cdsErro, false},
    TRecordSetDecl{"cdsProdSemDep", LayoutProdSemDep, &D::cdsProdSemDep, false},
};

// The screen's data sources and the record set each shows.
struct TDataSourceDecl {
    const char* name;
    const char* recordSet;
    TDataSource* TFechaOrcaData::*member;
};

const std::array DataSourceDecls{
    TDataSourceDecl{"dtsPadrao", "cdsOrcaEvento", &D::dtsPadrao},
    TDataSourceDecl{"dtsItemOrcaEven", "cdsItemOrcaEven", &D::dtsItemOrcaEven},
    TDataSourceDecl{"dtsItMaoObra", "cdsItMaoObra", &D::dtsItMaoObra},
    TDataSourceDecl{"dtsObsExtOrcaEv", "cdsObsExtOrcaEv", &D::dtsObsExtOrcaEv},
    TDataSourceDecl{"dtsObsIntOrcaEv", "cdsObsIntOrcaEv", &D::dtsObsIntOrcaEv},
    TDataSourceDecl{"dtsPrazoPgto", "cdsPrazoPgto", &D::dtsPrazoPgto},
    TDataSourceDecl{"dtsSalaoEven", "cdsSalaoEven", &D::dtsSalaoEven},
    TDataSourceDecl{"dtsTotalGrupo", "cdsTotalGrupo", &D::dtsTotalGrupo},
    TDataSourceDecl{"dtsTotalOpcao", "cdsTotalOpcao", &D::dtsTotalOpcao},
    // The client-address screen is handed both; they show the same record set.
    TDataSourceDecl{"dtsNovoClie", "cdsEndeNovoClie", &D::dtsNovoClie},
    TDataSourceDecl{"dtsEndeNovoClie", "cdsEndeNovoClie", &D::dtsEndeNovoClie},
    TDataSourceDecl{"dtsInteclieOrev", "cdsInteclieOrev", &D::dtsInteclieOrev},
};

} // namespace

std::span<const TRecordSetDecl> FechaOrcaRecordSets() {
    return RecordSetDecls;
}

TFechaOrcaData::TFechaOrcaData(QObject* owner) {
    Q_ASSERT(owner);
    for (const TRecordSetDecl& decl : RecordSetDecls) {
        auto* recordSet = new TRecordSet(decl.layout(), owner);
        recordSet->setObjectName(QLatin1StringView(decl.name));
        this->*decl.member = recordSet;
    }
    for (const TDataSourceDecl& decl : DataSourceDecls) {
        // A base screen brings its own dtsPadrao: it is the one that shows the list.
        auto* source = owner->findChild<TDataSource*>(QLatin1StringView(decl.name),
                                                      Qt::FindDirectChildrenOnly);
        if (!source) {
            source = new TDataSource(owner);
            source->setObjectName(QLatin1StringView(decl.name));
        }
        source->SetDataSet(RecordSet(decl.recordSet));
        this->*decl.member = source;
    }

    cdsOrcaEvento->OnCalcFields = OrcaEventoCalcFields(*cdsOrcaEvento);
    cdsItemOrcaEven->OnCalcFields = ItemOrcaEvenCalcFields(*cdsItemOrcaEven);

    // Opened last, so that whoever follows them through a data source sees them open.
    for (const TRecordSetDecl& decl : RecordSetDecls)
        if (decl.openAtCreation)
            (this->*decl.member)->CreateDataSet();
}

TRecordSet* TFechaOrcaData::RecordSet(QAnyStringView name) const {
    for (const TRecordSetDecl& decl : RecordSetDecls)
        if (QAnyStringView::equal(name, QLatin1StringView(decl.name)))
            return this->*decl.member;
    return nullptr;
}

TDataSource* TFechaOrcaData::DataSource(QAnyStringView name) const {
    for (const TDataSourceDecl& decl : DataSourceDecls)
        if (QAnyStringView::equal(name, QLatin1StringView(decl.name)))
            return this->*decl.member;
    return nullptr;
}

void TFechaOrcaData::SetupFields(const QString& productMask, const QString& dateMask) {
    for (TRecordSet* recordSet : {cdsItemOrcaEven, cdsItMaoObra, cdsProdSemDep})
        recordSet->FieldByName("CDARVPROD").SetEditMask(productMask);
    cdsPrazoPgto->FieldByName("DTVENCPARCOREV").SetEditMask(dateMask);
}
