#include "framework/services/ScreenLoader.h"

#include "core/data/Exceptions.h"

namespace {
TScreenLoader* g_installed = nullptr;
}

TScreenLoader::~TScreenLoader() = default;

TScreenLoader* TScreenLoader::Current() {
    return g_installed;
}

void TScreenLoader::Install(TScreenLoader* loader) {
    g_installed = loader;
}

void LoadBPL(const QString& code, const QVariantList& params) {
    TScreenLoader* loader = TScreenLoader::Current();
    if (!loader)
        throw Exception(
            QStringLiteral("Não há carregador de telas: a tela %1 não pode ser aberta.").arg(code));
    loader->Load(code, params);
}
