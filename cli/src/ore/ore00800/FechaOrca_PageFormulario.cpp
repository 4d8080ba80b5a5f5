// "Formulário": the budget's general data, its client, event and people.

#include "ore/ore00800/Cli_ore00800.h"

void TfrmFechaOrca::BuildFormularioPage() {}

void TfrmFechaOrca::LoadFormulario() {
    ShowEnderecoEntrega();
}
