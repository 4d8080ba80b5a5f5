// "Itens": the server's totals, the header, the price base and the items.

#include "ore/ore00800/Cli_ore00800.h"

void TfrmFechaOrca::BuildItensPage() {}

void TfrmFechaOrca::LoadItens() {}

void TfrmFechaOrca::LoadParamOrca() {}
