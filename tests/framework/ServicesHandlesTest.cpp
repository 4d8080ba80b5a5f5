// Data sources handed to another screen as integer handles.

#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "framework/services/Handles.h"
#include "framework/services/ScreenLoader.h"
#include "framework/services/ScreenParams.h"
#include "tests/support/FakeScreenLoader.h"

#include <gtest/gtest.h>

#include <functional>
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

// What a screen opened by LoadBPL reads of its parameters: each refusal names
// the screen and the parameter, and a handle must lead to a live source.
TEST(ScreenParams, KindsAndCountAreCheckedWithASentence) {
    TDataSource dtsEndeNovoClie;
    const int handle = DataSourceHandle(&dtsEndeNovoClie);
    const QVariantList params{QStringLiteral("0001"), true, handle, 3};
    const TScreenParams p(QStringLiteral("ORE00105"), params, 4);
    EXPECT_EQ(p.String(0, "CDFILIAL"), "0001");
    EXPECT_TRUE(p.Bool(1, "boNovo"));
    EXPECT_EQ(p.DataSource(2, "dtsEndeNovoClie"), &dtsEndeNovoClie);
    EXPECT_EQ(p.Int(3, "IDSITUORCEVE"), 3);

    const auto refusal = [&](const std::function<void()>& read) -> std::string {
        try {
            read();
        } catch (const Exception& e) {
            return e.Message().toStdString();
        }
        return "accepted";
    };
    EXPECT_EQ(refusal([&] { TScreenParams(QStringLiteral("ORE09000"), params, 3); }),
              "A tela ORE09000 espera 3 parâmetros e recebeu 4.");
    EXPECT_EQ(refusal([&] { p.String(1, "NRORCAEVENTO"); }),
              "O parâmetro 2 (NRORCAEVENTO) da tela ORE00105 deve ser um texto.");
    EXPECT_EQ(refusal([&] { p.Bool(0, "boNovo"); }),
              "O parâmetro 1 (boNovo) da tela ORE00105 deve ser verdadeiro ou falso.");
    // A number written as text is not taken for the number.
    EXPECT_EQ(refusal([&] { p.Int(0, "IDSITUORCEVE"); }),
              "O parâmetro 1 (IDSITUORCEVE) da tela ORE00105 deve ser um número inteiro.");
    const QVariantList noSource{0, 999999};
    const TScreenParams q(QStringLiteral("ORE00105"), noSource, 2);
    EXPECT_EQ(refusal([&] { q.DataSource(0, "dtsInteclieOrev"); }),
              "O parâmetro 1 (dtsInteclieOrev) da tela ORE00105 deve ser a referência de uma "
              "fonte de dados.");
    EXPECT_EQ(refusal([&] { q.DataSource(1, "dtsInteclieOrev"); }),
              "Referência a fonte de dados inválida: 999999.");
}
