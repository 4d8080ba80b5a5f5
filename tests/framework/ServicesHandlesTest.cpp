// Data sources handed to another screen as integer handles.

#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "framework/services/Handles.h"
#include "framework/services/ScreenLoader.h"
#include "tests/support/FakeScreenLoader.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

std::string LookupError(int handle) {
    try {
        DataSourceFromHandle(handle);
    } catch (const EDatabaseError& e) {
        return e.Message().toStdString();
    }
    return "found";
}

} // namespace

TEST(DataSourceHandles, SameSourceSameHandleAndBack) {
    TDataSource dtsOrcaEvento, dtsContrato;
    const int h = DataSourceHandle(&dtsOrcaEvento);
    EXPECT_NE(h, 0);
    EXPECT_EQ(DataSourceHandle(&dtsOrcaEvento), h);
    EXPECT_NE(DataSourceHandle(&dtsContrato), h);
    EXPECT_EQ(DataSourceFromHandle(h), &dtsOrcaEvento);
    EXPECT_EQ(DataSourceHandle(nullptr), 0);
    EXPECT_EQ(DataSourceFromHandle(0), nullptr);
}

TEST(DataSourceHandles, StaleOrUnknownHandleIsAnErrorNeverAnotherSource) {
    auto gone = std::make_unique<TDataSource>();
    const int stale = DataSourceHandle(gone.get());
    gone.reset();
    EXPECT_EQ(LookupError(stale),
              QStringLiteral("Referência a fonte de dados inválida: %1.").arg(stale).toStdString());

    // A new source, perhaps at the same address, does not revive the old handle.
    TDataSource fresh;
    const int h = DataSourceHandle(&fresh);
    EXPECT_NE(h, stale);
    EXPECT_EQ(LookupError(stale),
              QStringLiteral("Referência a fonte de dados inválida: %1.").arg(stale).toStdString());
    EXPECT_EQ(LookupError(-5), "Referência a fonte de dados inválida: -5.");
}

TEST(DataSourceHandles, OpenedScreenReachesTheSourceItWasGiven) {
    TFakeScreenLoader loader;
    TDataSource dtsOrcaEvento;
    dtsOrcaEvento.setObjectName(QStringLiteral("dtsOrcaEvento"));
    QString seen;
    loader.OnOpen = [&](const QString&, const QVariantList& params) {
        seen = DataSourceFromHandle(params.at(1).toInt())->objectName();
    };
    LoadBPL(QStringLiteral("ORE09000"), {QStringLiteral("0001"), DataSourceHandle(&dtsOrcaEvento)});
    EXPECT_EQ(seen, QStringLiteral("dtsOrcaEvento"));
}
