#pragma once

#include <span>

// The screens the "Telas" menu offers, whether or not their modules are installed.
// Screens that open only for a budget (through LoadBPL) are not among them.
struct TKnownScreen {
    const char* code;
    const char* title;
};

std::span<const TKnownScreen> KnownScreens();
