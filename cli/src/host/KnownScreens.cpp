#include "host/KnownScreens.h"

namespace {

constexpr TKnownScreen kScreens[] = {
    {"ORE00800", "Fechamento do Orçamento"},
    {"ORE06400", "Processamento do Orçamento"},
    {"ORE09000", "Contratantes do Orçamento"},
    {"ORE00105", "Endereço do Cliente"},
};

} // namespace

std::span<const TKnownScreen> KnownScreens() {
    return kScreens;
}
