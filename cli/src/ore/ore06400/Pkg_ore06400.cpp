#include "ore/ore06400/Pkg_ore06400.h"

#include "ore/ore06400/Cli_ore06400.h"

void Initialize() {}

// The screen is modal and gone when LoadScreen returns: nothing to destroy.
void Finalize() {}

void LoadScreen(const char*, const QVariantList* params) {
    CriaProcOrca(*params);
}
