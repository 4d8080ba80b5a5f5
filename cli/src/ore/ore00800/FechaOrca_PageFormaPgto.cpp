// "Forma de Pagamento": how the budget is paid, looked at only.

#include "ore/ore00800/Cli_ore00800.h"

void TfrmFechaOrca::BuildFormaPgtoPage() {}

void TfrmFechaOrca::LoadFormaPgto() {}

void TfrmFechaOrca::LockFormaPgto() {}
