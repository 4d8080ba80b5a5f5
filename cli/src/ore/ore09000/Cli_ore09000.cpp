#include "ore/ore09000/Cli_ore09000.h"

#include "core/data/Exceptions.h"

void CriaContratante(const QVariantList&) {
    throw Exception(QStringLiteral("A tela ORE09000 ainda não está disponível."));
}
