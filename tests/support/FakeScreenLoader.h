#pragma once

#include "framework/services/ScreenLoader.h"

#include <QString>
#include <QVariantList>

#include <functional>
#include <vector>

// Records the screens opened through LoadBPL, with their parameters, and
// installs itself for its lifetime. OnOpen runs while "the screen is open":
// what that screen would do (change the data behind a handle, fail...).
class TFakeScreenLoader : public TScreenLoader {
public:
    struct TLoad {
        QString code;
        QVariantList params;
    };

    TFakeScreenLoader();
    ~TFakeScreenLoader() override;

    void Load(const QString& code, const QVariantList& params) override;

    const std::vector<TLoad>& Loads() const { return m_loads; }

    std::function<void(const QString& code, const QVariantList& params)> OnOpen;

private:
    std::vector<TLoad> m_loads;
};
