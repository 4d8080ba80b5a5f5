#include "ore/ore00800/Pkg_ore00800.h"

#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/model/FiltroModuleState.h"

// Units are initialised in the order the package lists them and finalised in
// reverse. The error dialog's unit (Cli_ore00802) has nothing to initialise.

void Initialize() {
    InitializeCli_ore00800();
    InitializeCli_ore00801();
}

void Finalize() {
    FinalizeCli_ore00801();
    FinalizeCli_ore00800();
}

void IniProc() {
    CriaFechaOrca();
}
