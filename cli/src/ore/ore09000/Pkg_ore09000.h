#pragma once

#include <QVariantList>

// The module's entry points, looked up by name by the host's module loader
// (docs/modules.md). Screen ORE09000 is opened only through LoadBPL.
extern "C" {
void Initialize();
void Finalize();
void LoadScreen(const char* code, const QVariantList* params);
}
