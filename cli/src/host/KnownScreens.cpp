#include "host/KnownScreens.h"

namespace {

constexpr TKnownScreen kScreens[] = {
    {"ORE00800", "Fechamento do Orçamento"},
};

} // namespace

std::span<const TKnownScreen> KnownScreens() {
    return kScreens;
}
