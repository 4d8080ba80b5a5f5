#pragma once

#include <span>

// The screens the "Telas" menu offers, whether or not their modules are installed.
struct TKnownScreen {
    const char* code;
    const char* title;
};

std::span<const TKnownScreen> KnownScreens();
