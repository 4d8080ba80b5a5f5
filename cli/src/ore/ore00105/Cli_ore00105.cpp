#include "ore/ore00105/Cli_ore00105.h"

#include "core/data/Exceptions.h"

void CriaEndeClie(const QVariantList&) {
    throw Exception(QStringLiteral("A tela ORE00105 ainda não está disponível."));
}
