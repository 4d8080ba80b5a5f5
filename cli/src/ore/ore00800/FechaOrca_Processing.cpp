// Budget processing, a screen of its own, opened for the current budget; the
// list is read again once it has closed.

#include "ore/ore00800/Cli_ore00800.h"

#include "core/data/Exceptions.h"
#include "framework/services/ScreenLoader.h"
#include "framework/services/Session.h"

void TfrmFechaOrca::sbtProcOrcaClick() {
    if (data.cdsOrcaEvento->State() == TDataSetState::Browse) {
        const QString situ = Current("IDSITUORCEVE");
        bool isNumber = false;
        const int situation = situ.toInt(&isNumber);
        // Taken as 0, it would open processing for a situation no budget has.
        if (!isNumber)
            throw Exception(QStringLiteral("Situação do orçamento inválida: \"%1\".").arg(situ));
        // The last parameter names the screen that opens it, whatever its caption.
        LoadBPL(QStringLiteral("ORE06400"),
                {situation, Current("CDFILIAL"), Current("NRORCAEVENTO"), Current("NRSEQORCAEVE"),
                 Operador(), QStringLiteral("ORE00800")});
    }
    sbtVerificarClick();
}

void TfrmFechaOrca::mnuProcOrcaClick() {
    sbtProcOrcaClick();
}
