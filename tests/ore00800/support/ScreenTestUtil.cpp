#include "tests/ore00800/support/ScreenTestUtil.h"

#include "core/layouts/ControlLayouts.h"
#include "core/layouts/OrcaLayouts.h"
#include "framework/db/SharedDatabase.h"
#include "framework/services/Pictures.h"
#include "framework/services/Session.h"
#include "storage/Commands.h"

void ScreenTest::SetUp() {
    ASSERT_TRUE(m_dir.isValid());
    const QString path = m_dir.filePath(QStringLiteral("ore.db"));
    ASSERT_EQ(RunSeedDemo(QStringLiteral("sqlite:") + path), 0);
    m_db = std::make_unique<TDbConnection>(path);
    SetSharedDatabase(m_db.get());
    TSessionInfo session;
    session.filiProc = QStringLiteral("0001");
    session.nomeFiliProc = QStringLiteral("Celebrar Matriz São Paulo");
    session.operador = QStringLiteral("MARIA");
    session.screenCode = QStringLiteral("ORE00800");
    StartSession(session);

    ScriptRights(QStringLiteral("ORE06400"), QStringLiteral("ORE06400"));
    server.Reply(QStringLiteral("GetSalaoEven"),
                 QVariant::fromValue(MakePacket(LayoutSalaoEven(), {})));
}

void ScreenTest::TearDown() {
    SetSharedDatabase(nullptr);
    ResetPictureCache();
    m_db.reset();
}

void ScreenTest::ScriptRights(const QVariant& operatorSetting, const QVariant& moduleParameter) {
    const QVariantList rights = {
        QVariant::fromValue(MakePacket(LayoutOperControle(),
                                       {{{QStringLiteral("CDPROCHABFECOPE"), operatorSetting}}})),
        QVariant::fromValue(MakePacket(LayoutParamControle(),
                                       {{{QStringLiteral("CDPROCHABFECORE"), moduleParameter}}})),
    };
    server.Reply(QStringLiteral("GetOperControle"), rights);
}

QVariant OrcaEventoDetailsAnswer(const TOrcaEventoRows& rows) {
    return QVariantList{
        QVariant::fromValue(MakePacket(LayoutOrcaEvento(), rows.budgets)),
        QVariant::fromValue(MakePacket(LayoutItemOrcaEven(), rows.items)),
        QVariant::fromValue(MakePacket(LayoutTotalOrca(), rows.totals)),
        QVariant::fromValue(MakePacket(LayoutItMaoObra(), rows.labour)),
        QVariant::fromValue(MakePacket(LayoutObsExtOrcaEv(), rows.obsExt)),
        QVariant::fromValue(MakePacket(LayoutObsIntOrcaEv(), rows.obsInt)),
    };
}

QVariant OrcaEventoAnswer(const std::vector<TPacketRow>& budgets,
                          const std::vector<TPacketRow>& items) {
    return OrcaEventoDetailsAnswer(TOrcaEventoRows{budgets, items, {}, {}, {}, {}});
}

TPacketRow BudgetRow(const QString& nr, const QString& seq, const QString& situ,
                     const QString& client) {
    return {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
            {QStringLiteral("NRORCAEVENTO"), nr},
            {QStringLiteral("NRSEQORCAEVE"), seq},
            {QStringLiteral("IDSITUORCEVE"), situ},
            {QStringLiteral("IDSITCLIOREV"), QStringLiteral("N")},
            {QStringLiteral("NMCLIEORCEVE"), client}};
}
