#include "ore/ore09000/Cli_ore09000.h"

#include "ore/ore09000/Contratante_Form.h"

#include "framework/services/ScreenParams.h"

void CriaContratante(const QVariantList& params) {
    const TScreenParams p(QStringLiteral("ORE09000"), params, 4);
    const TContratanteChave chave{p.String(0, "CDFILIAL"), p.String(1, "NRORCAEVENTO"),
                                  p.String(2, "NRSEQORCAEVE"), p.String(3, "stTelaOrig")};
    TfrmContratante form(chave);
    form.Carrega();
    form.ShowModal();
}
