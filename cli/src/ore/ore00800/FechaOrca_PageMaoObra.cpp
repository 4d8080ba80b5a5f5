// "Mão de Obra": the budget's labour.

#include "ore/ore00800/Cli_ore00800.h"

void TfrmFechaOrca::BuildMaoObraPage() {}

void TfrmFechaOrca::LoadMaoObra() {}
