#pragma once

// Real calls of the screens, as the seeds of the wire and request harnesses.

#include "core/wire/RpcEnvelope.h"
#include "core/wire/WireVariant.h"
#include "fuzz/FuzzInput.h"

#include <vector>

namespace Fuzz {

inline QVariant Ole(double day) {
    return QVariant::fromValue(TOleDateTime{day});
}

// The closing screen's list: the budget's key, its situation and the mark.
inline TDataPacket ClosingList(const std::vector<QVariantList>& rows) {
    TRecordSet rs(
        {StrField(QStringLiteral("CDFILIAL"), 4), StrField(QStringLiteral("NRORCAEVENTO"), 10),
         StrField(QStringLiteral("NRSEQORCAEVE"), 2).Fixed(),
         StrField(QStringLiteral("IDSITUORCEVE"), 1), StrField(QStringLiteral("IDMARCADO"), 1)});
    Fill(rs, rows);
    return rs.Data();
}

inline std::vector<TCallRequest> RealCalls() {
    const QString fecha = QStringLiteral("ORE00800.rdmFechaOrca");
    const QString proc = QStringLiteral("ORE06400.rdmProcOrca");
    const QString contr = QStringLiteral("ORE09000.rdmContratante");
    const QVariantList key = {"0001", "0000001001", "00"};
    // The 17 arguments of the budget list: branch, numbers, dates, code lists, situation...
    const QVariantList list = {"0001", "", "", Ole(0), Ole(0), Ole(0), Ole(0),      "0005_0006", "",
                               "",     "", "", "",     "2",    "",     "Casamento", ""};
    const QVariantList dated = {
        "0001", "1001", "1020",         Ole(45658), Ole(46387.5), Ole(0), Ole(0), "",    "",
        "",     "",     "PR\\_01_PR02", "",         "12345678",   "",     "",     "0003"};
    return {
        {fecha, QStringLiteral("GetOrcaEvento"), list},
        {fecha, QStringLiteral("GetOrcaEvento"), dated},
        {fecha, QStringLiteral("GetGeral"), key},
        {fecha, QStringLiteral("GetPrazoPgto"), key},
        {fecha, QStringLiteral("GetSalaoEven"), key},
        {fecha, QStringLiteral("GetVerifOrcaFecha"), key},
        {fecha, QStringLiteral("GetParamOrca"), {}},
        {fecha, QStringLiteral("GetGerenteSup"), {"0003"}},
        {fecha, QStringLiteral("SetClieContratante"), {"F52998224725", "0001", "0000001002"}},
        {fecha,
         QStringLiteral("FecharOrca"),
         {QVariant::fromValue(ClosingList({{"0001", "0000001001", "00", "2", "S"},
                                           {"0001", "0000001011", "00", "2", "S"},
                                           {"0001", "0000001012", "01", "2", "N"}})),
          "MARIA", QVariant()}},
        {proc, QStringLiteral("GetOperControle"), {"MARIA"}},
        {QStringLiteral("ORE.rdmSessao"), QStringLiteral("Entrar"), {"MARIA", "maria123"}},
        {QStringLiteral("ORE.rdmSessao"), QStringLiteral("Entrar"), {"MARIA", "errada"}},
        {proc, QStringLiteral("GetOrcaProc"), key},
        {contr, QStringLiteral("GetContratantes"), key},
        {contr, QStringLiteral("GetResumoOrca"), key},
        {contr, QStringLiteral("GetQtContratantes"), key},
        {contr, QStringLiteral("GetVdValor"), key},
        {contr,
         QStringLiteral("IncluirContratante"),
         {"0001", "0000001003", "00", "C00000000042", 1500.25, 80.0, QVariant()}},
        {contr,
         QStringLiteral("CancelarContratante"),
         {"0001", "0000001003", "00", "C00000000042"}},
    };
}

} // namespace Fuzz
