#pragma once

#include "core/data/DataSource.h"
#include "core/data/RecordSet.h"

#include <QAnyStringView>
#include <QString>

#include <span>

class QObject;

// The record sets and data sources of the budget-closing screen. They are
// created as children of `owner` (the screen), named as designed, and live as
// long as it; this object only holds the pointers, so it must not outlive the owner.
// A data source of a designed name that the owner already has (the base
// screen's dtsPadrao) is bound to its record set instead of made anew.
class TFechaOrcaData {
public:
    explicit TFechaOrcaData(QObject* owner);
    TFechaOrcaData(const TFechaOrcaData&) = delete;
    TFechaOrcaData& operator=(const TFechaOrcaData&) = delete;

    // Null when `name` is not one of the screen's.
    TRecordSet* RecordSet(QAnyStringView name) const;
    TDataSource* DataSource(QAnyStringView name) const;

    // Field set-up done when the screen is created, before any packet is
    // loaded: the product-code edit mask (the session's first picture kind)
    // on every CDARVPROD that the operator sees, and the session's date mask
    // on the instalments' due date.
    void SetupFields(const QString& productMask, const QString& dateMask);

    // Budget record sets.
    TRecordSet* cdsOrcaEvento = nullptr;
    TRecordSet* cdsItemOrcaEven = nullptr;
    TRecordSet* cdsTotalOrca = nullptr;
    TRecordSet* cdsItMaoObra = nullptr;
    TRecordSet* cdsItMaoObraAux = nullptr;
    TRecordSet* cdsObsExtOrcaEv = nullptr;
    TRecordSet* cdsObsIntOrcaEv = nullptr;
    TRecordSet* cdsPrazoPgto = nullptr;
    TRecordSet* cdsSalaoEven = nullptr;
    TRecordSet* cdsTotalGrupo = nullptr;
    TRecordSet* cdsTotalOpcao = nullptr;

    // Control, check and new-client record sets.
    TRecordSet* cdsOperControle = nullptr;
    TRecordSet* cdsParamControle = nullptr;
    TRecordSet* cdsParamOrca = nullptr;
    TRecordSet* cdsExisteContratante = nullptr;
    TRecordSet* cdsVerifOrcaFecha = nullptr;
    TRecordSet* cdsEndeNovoClie = nullptr;
    TRecordSet* cdsInteclieOrev = nullptr;
    TRecordSet* cdsErro = nullptr;
    TRecordSet* cdsProdSemDep = nullptr;

    TDataSource* dtsPadrao = nullptr;
    TDataSource* dtsItemOrcaEven = nullptr;
    TDataSource* dtsItMaoObra = nullptr;
    TDataSource* dtsObsExtOrcaEv = nullptr;
    TDataSource* dtsObsIntOrcaEv = nullptr;
    TDataSource* dtsPrazoPgto = nullptr;
    TDataSource* dtsSalaoEven = nullptr;
    TDataSource* dtsTotalGrupo = nullptr;
    TDataSource* dtsTotalOpcao = nullptr;
    TDataSource* dtsNovoClie = nullptr;
    TDataSource* dtsEndeNovoClie = nullptr;
    TDataSource* dtsInteclieOrev = nullptr;
};

// The screen's record sets, as declared: name, layout, member, and whether it
// is created open (empty) rather than closed until a packet arrives.
struct TRecordSetDecl {
    const char* name;
    TFieldDefs (*layout)();
    TRecordSet* TFechaOrcaData::*member;
    bool openAtCreation;
};
std::span<const TRecordSetDecl> FechaOrcaRecordSets();
