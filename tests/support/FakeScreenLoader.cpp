#include "tests/support/FakeScreenLoader.h"

TFakeScreenLoader::TFakeScreenLoader() {
    TScreenLoader::Install(this);
}

TFakeScreenLoader::~TFakeScreenLoader() {
    TScreenLoader::Install(nullptr);
}

void TFakeScreenLoader::Load(const QString& code, const QVariantList& params) {
    m_loads.push_back({code, params});
    if (OnOpen)
        OnOpen(code, params);
}
