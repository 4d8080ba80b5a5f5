#include "ore/ore00800/model/CalcFields.h"

namespace {

constexpr int CaptionSize = 60; // size of DSORCAEVEN

} // namespace

QString ClienteOrca(const QString& idSitCliOrev, const QString& nmFantClie,
                    const QString& nmClieOrcEve) {
    return idSitCliOrev == QLatin1StringView("C") ? nmFantClie : nmClieOrcEve;
}

QString CaptionOrca(const QString& nrOrcaEvento, const QString& dsClienteOrca) {
    // The field is string(60) and refuses longer text, so the cut comes first.
    return LeftCharacters(nrOrcaEvento + QStringLiteral(" - ") + dsClienteOrca, CaptionSize);
}

double TotalItemOrca(double qtItem, double vrItem, double vrDesc, double vrAcre) {
    // The product keeps its low bits for the discount and the surcharge.
    const long double total = static_cast<long double>(qtItem) * vrItem - vrDesc + vrAcre;
    return static_cast<double>(total);
}

TDataSet::Event OrcaEventoCalcFields(TDataSet& dataSet) {
    const TField& idSit = dataSet.FieldByName("IDSITCLIOREV");
    const TField& nmFant = dataSet.FieldByName("NMFANTCLIE");
    const TField& nmClie = dataSet.FieldByName("NMCLIEORCEVE");
    const TField& nrOrca = dataSet.FieldByName("NRORCAEVENTO");
    TField& dsCliente = dataSet.FieldByName("DSCLIENTEORCA");
    TField& dsOrca = dataSet.FieldByName("DSORCAEVEN");
    return [&idSit, &nmFant, &nmClie, &nrOrca, &dsCliente, &dsOrca](TDataSet&) {
        const QString cliente = ClienteOrca(idSit.AsString(), nmFant.AsString(), nmClie.AsString());
        dsCliente.SetAsString(cliente);
        dsOrca.SetAsString(CaptionOrca(nrOrca.AsString(), cliente));
    };
}

TDataSet::Event ItemOrcaEvenCalcFields(TDataSet& dataSet) {
    // A null number reads as 0, which is what an empty value must count as.
    const TField& qt = dataSet.FieldByName("QTITEMORCEVE");
    const TField& vr = dataSet.FieldByName("VRITEMORCEVE");
    const TField& desc = dataSet.FieldByName("VRDESCITOREV");
    const TField& acre = dataSet.FieldByName("VRACREITOREV");
    TField& total = dataSet.FieldByName("VRTOTALITEM");
    return [&qt, &vr, &desc, &acre, &total](TDataSet&) {
        total.SetAsFloat(TotalItemOrca(qt.AsFloat(), vr.AsFloat(), desc.AsFloat(), acre.AsFloat()));
    };
}
