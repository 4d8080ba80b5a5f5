#include "ore/ore00105/Cli_ore00105.h"

#include "ore/ore00105/EndeClieParams.h"
#include "ore/ore00105/FrmEndeClie.h"

#include <QApplication>

void CriaEndeClie(const QVariantList& params) {
    // Everything about the parameters is checked before a window shows.
    const TEndeClieParams checked = LeParametrosEndeClie(params);
    TfrmEndeClie form(checked, QApplication::activeWindow());
    form.Carrega();
    form.ShowModal();
}
