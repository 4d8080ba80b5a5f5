#include "ore/ore09000/Pkg_ore09000.h"

#include "ore/ore09000/Cli_ore09000.h"

void Initialize() {}

// The screen is modal and gone when LoadScreen returns: nothing to destroy.
void Finalize() {}

void LoadScreen(const char*, const QVariantList* params) {
    CriaContratante(*params);
}
