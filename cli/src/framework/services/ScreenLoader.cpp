#include "ScreenLoader.h"

#include "Exceptions.h"

namespace {
TScreenLoader* g_loader = nullptr;
}

TScreenLoader::~TScreenLoader() = default;

TScreenLoader* TScreenLoader::Current() {
    return g_loader;
}

void TScreenLoader::Install(TScreenLoader* loader) {
    g_loader = loader;
}

void LoadBPL(const QString& code, const QVariantList& params) {
    if (!g_loader)
        throw Exception(
            QStringLiteral("Não há carregador de telas para abrir a tela %1.").arg(code));
    g_loader->Load(code, params);
}
