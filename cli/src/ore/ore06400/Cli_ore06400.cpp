#include "ore/ore06400/Cli_ore06400.h"

#include "core/data/Exceptions.h"

void CriaProcOrca(const QVariantList&) {
    throw Exception(QStringLiteral("A tela ORE06400 ainda não está disponível."));
}
