// "Observação": the internal observations by department and the external one.

#include "ore/ore00800/Cli_ore00800.h"

void TfrmFechaOrca::BuildObservacaoPage() {}

void TfrmFechaOrca::LoadObservacao() {}
