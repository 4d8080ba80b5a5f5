#include "ore/ore00105/Pkg_ore00105.h"

#include "ore/ore00105/Cli_ore00105.h"

void Initialize() {}

// The screen is modal and gone when LoadScreen returns: nothing to destroy.
void Finalize() {}

void LoadScreen(const char*, const QVariantList* params) {
    CriaEndeClie(*params);
}
