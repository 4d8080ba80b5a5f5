#pragma once

// The module's entry points, looked up by name by the host's module loader
// (docs/modules.md).
extern "C" {
void Initialize();
void Finalize();
void IniProc();
}
