// Sessions on each engine, through the transport's answer with its gate, as
// the server runs them: sign-in, expiry, sign-out, forged tokens, calls made
// in another operator's name, the sign-in throttle, and the audit of a closing.

#include "tests/srv/ClosingTestUtil.h"

#include "closing/FecharOrca.h"
#include "core/wire/WireVariant.h"
#include "session/SessionGate.h"
#include "session/SessionModule.h"
#include "session/SessionStore.h"
#include "session/SessionToken.h"
#include "session/SignInThrottle.h"
#include "transport/CallAnswer.h"

#include <QDebug>

#include <chrono>

namespace {

const QString kInvalid = QStringLiteral("Operador ou senha inválidos.");
const QString kNoSession = QStringLiteral("Sessão inválida ou expirada. Entre novamente.");
const QString kFecha = QStringLiteral("ORE00800.rdmFechaOrca");
const QString kProc = QStringLiteral("ORE06400.rdmProcOrca");
constexpr qint64 kIdle = 8 * 3600;

struct TAnswer {
    int status = 0;
    TServerReply reply;
};

class SessionTest : public ClosingDbTest {
protected:
    void SetUp() override {
        ClosingDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        TSessionOptions options;
        options.now = [this] { return m_now; };
        m_store = std::make_shared<TSessionStore>(Url(), options);
        RegisterSessionModule(m_registry, m_store);
        m_gate = std::make_unique<TSessionGate>(m_store);
    }

    TAnswer Send(const QString& server, const QString& method, const QVariantList& args,
                 const QString& token = {}) {
        TCallContext context;
        context.peerAddress = QStringLiteral("10.0.0.7");
        const std::string header =
            token.isEmpty() ? std::string() : "Bearer " + token.toStdString();
        const TCallAnswer a = AnswerCall(
            m_registry, context, Wire::EncodeRequest({server, method, args}), m_gate.get(), header);
        return {a.status, Wire::DecodeReply(a.body.Joined())};
    }
    TAnswer SignIn(const QString& op, const QString& password) {
        return Send(SessionServerName(), QStringLiteral("Entrar"), {op, password});
    }
    QString Token(const QString& op = QStringLiteral("MARIA")) {
        const TAnswer a = SignIn(op, op.toLower() + QStringLiteral("123"));
        EXPECT_TRUE(a.reply.ok) << a.reply.message.toStdString();
        return a.reply.payload.toString();
    }
    TAnswer Param(const QString& token) {
        return Send(kFecha, QStringLiteral("GetParamOrca"), {}, token);
    }

    qint64 m_now = 1'800'000'000;
    std::shared_ptr<TSessionStore> m_store;
    std::unique_ptr<TSessionGate> m_gate;
};

TEST_P(SessionTest, OnlyTheRightPasswordOfAnActiveOperatorSignsIn) {
    const struct {
        const char* op;
        const char* password;
        bool ok;
    } cases[] = {
        {"MARIA", "maria123", true},
        {"MARIA", "maria124", false},
        {"MARIA", "", false},
        {"maria", "maria123", false},
        {"NINGUEM", "ninguem123", false},
        {"ANTIGO", "antigo123", false}, // inactive
        {"", "", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.op) + "/" + c.password);
        testing::internal::CaptureStderr();
        const TAnswer a = SignIn(QString::fromUtf8(c.op), QString::fromUtf8(c.password));
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(a.status, 200);
        EXPECT_EQ(a.reply.ok, c.ok) << a.reply.message.toStdString();
        if (c.ok) {
            EXPECT_TRUE(LooksLikeSessionToken(a.reply.payload.toString()));
            EXPECT_EQ(log, "");
        } else {
            EXPECT_EQ(a.reply.message, kInvalid);
            EXPECT_NE(log.find(std::string("operador \"") + c.op + "\", de 10.0.0.7"),
                      std::string::npos)
                << log;
        }
    }
}

TEST_P(SessionTest, EveryCallButSignInNeedsALiveSession) {
    const QString token = Token();
    EXPECT_EQ(Param(token).status, 200);
    EXPECT_TRUE(Param(token).reply.ok);
    // The database keeps only the token's hash.
    EXPECT_EQ(
        Scalar("SELECT COUNT(*) FROM SESSAOOPER WHERE HASHSESSAO = :H", {{"H", SessionKey(token)}})
            .toInt(),
        1);
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM SESSAOOPER WHERE HASHSESSAO = :T OR TXENDERECO = :T",
                     {{"T", token}})
                  .toInt(),
              0);

    QString forged = token;
    forged[5] = forged[5] == u'A' ? u'B' : u'A';
    for (const QString& bad : {QString(), forged, NewSessionToken(), token.left(42), token + u'x',
                               QStringLiteral("' OR 1=1 --")}) {
        SCOPED_TRACE(bad.toStdString());
        const TAnswer a = Param(bad);
        EXPECT_EQ(a.status, 401);
        EXPECT_FALSE(a.reply.ok);
        EXPECT_EQ(a.reply.message, kNoSession);
    }
    // Unknown modules say nothing to whoever has no session.
    EXPECT_EQ(Send("ORE.rdmNenhum", "X", {}).status, 401);
}

TEST_P(SessionTest, AnIdleSessionExpiresAndUseKeepsItAlive) {
    const QString token = Token();
    m_now += kIdle - 1;
    EXPECT_EQ(Param(token).status, 200); // used just in time: eight more hours
    m_now += kIdle - 1;
    EXPECT_EQ(Param(token).status, 200);
    m_now += 30; // within a minute of the last write: only read
    EXPECT_EQ(Param(token).status, 200);
    m_now += kIdle - 30;
    EXPECT_EQ(Param(token).reply.message, kNoSession);
    // The sweep deletes it.
    m_store->Sweep();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM SESSAOOPER").toInt(), 0);
}

TEST_P(SessionTest, SignOutEndsOnlyItsSessionAndItsTokenCannotBeReplayed) {
    const QString mine = Token(), other = Token();
    const TAnswer out = Send(SessionServerName(), QStringLiteral("Sair"), {}, mine);
    EXPECT_EQ(out.status, 200);
    EXPECT_TRUE(out.reply.ok) << out.reply.message.toStdString();
    EXPECT_EQ(Param(mine).status, 401);
    EXPECT_EQ(Send(SessionServerName(), QStringLiteral("Sair"), {}, mine).status, 401);
    EXPECT_EQ(Param(other).status, 200);
}

TEST_P(SessionTest, AnOperatorMadeInactiveLosesHisSessions) {
    const QString token = Token(QStringLiteral("JOAO"));
    TSqlStatement(Db(), "UPDATE OPERADOR SET IDATIVOOPER = 'N' WHERE CDOPERADOR = 'JOAO'").Exec();
    EXPECT_EQ(Param(token).status, 401);
}

TEST_P(SessionTest, ACallInAnotherOperatorsNameIsRefusedLoggedAndWritesNothing) {
    const QString token = Token();
    const auto before = Fingerprint();
    const struct {
        QString server, method;
        QVariantList args;
    } calls[] = {
        {kFecha, "FecharOrca", {QVariant::fromValue(ListPacket("0001", 1001)), "JOAO", {}}},
        {kFecha, "FecharOrca", {QVariant::fromValue(ListPacket("0001", 1001)), "maria", {}}},
        {kFecha, "FecharOrca", {QVariant::fromValue(ListPacket("0001", 1001)), 7, {}}},
        {kProc, "GetOperControle", {"ADMIN"}},
    };
    for (const auto& c : calls) {
        SCOPED_TRACE(QDebug::toString(c.args).toStdString());
        testing::internal::CaptureStderr();
        const TAnswer a = Send(c.server, c.method, c.args, token);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(a.status, 200);
        EXPECT_FALSE(a.reply.ok);
        EXPECT_EQ(a.reply.message, QStringLiteral("A chamada %1.%2 foi recusada: ela só pode ser "
                                                  "feita em nome do operador da sessão (MARIA).")
                                       .arg(c.server, c.method));
        EXPECT_NE(log.find("a sessão do operador \"MARIA\" pediu " +
                           (c.server + u'.' + c.method).toStdString()),
                  std::string::npos)
            << log;
        EXPECT_NE(log.find("(chamada de 10.0.0.7)"), std::string::npos) << log;
    }
    EXPECT_EQ(Fingerprint(), before);
    EXPECT_TRUE(Send(kProc, "GetOperControle", {"MARIA"}, token).reply.ok);
}

// Whatever operator the arguments name, the closing's record names the
// session's: the audit does not rest on the registry's refusal alone.
TEST_P(SessionTest, TheClosingsAuditNamesTheSessionsOperatorWhateverTheArguments) {
    const QString token = Token();
    const TAnswer a = Send(kFecha, "FecharOrca",
                           {QVariant::fromValue(ListPacket("0001", 1001)), "MARIA", {}}, token);
    ASSERT_TRUE(a.reply.ok) << a.reply.message.toStdString();
    EXPECT_EQ(Scalar("SELECT CDOPERADOR FROM FECHAORCA WHERE NRORCAEVENTO = :N", {{"N", Nr(1001)}})
                  .toString(),
              "MARIA");
    const std::pair<int, const char*> cases[] = {{1011, "JOAO"}, {1012, "ANTIGO"}};
    for (const auto& [nr, named] : cases) {
        SCOPED_TRACE(named);
        FecharOrca(Url(), {QVariant::fromValue(ListPacket("0001", nr)), named, {}}, {},
                   QStringLiteral("MARIA"));
        EXPECT_EQ(
            Scalar("SELECT CDOPERADOR FROM FECHAORCA WHERE NRORCAEVENTO = :N", {{"N", Nr(nr)}})
                .toString(),
            "MARIA");
    }
}

TEST_P(SessionTest, RepeatedFailuresLockTheCodeOutForAGrowingTime) {
    for (const QString& code : {QStringLiteral("MARIA"), QStringLiteral("NINGUEM")}) {
        SCOPED_TRACE(code.toStdString());
        testing::internal::CaptureStderr();
        for (int i = 0; i < SignInThrottle::kFreeFailures; ++i)
            EXPECT_EQ(SignIn(code, "chute").reply.message, kInvalid);
        // Locked: even the right password is refused, alike for every code.
        const QString locked = SignIn(code, code.toLower() + "123").reply.message;
        EXPECT_EQ(locked, "Muitas tentativas de entrada sem sucesso. Tente novamente em 30 "
                          "segundos.");
        m_now += 20;
        EXPECT_EQ(SignIn(code, "chute").reply.message,
                  "Muitas tentativas de entrada sem sucesso. Tente novamente em 10 segundos.");
        m_now += 10;
        EXPECT_EQ(SignIn(code, "chute").reply.message, kInvalid); // the sixth: a minute
        EXPECT_EQ(SignIn(code, code.toLower() + "123").reply.message,
                  "Muitas tentativas de entrada sem sucesso. Tente novamente em 60 segundos.");
        m_now += 60;
        const TAnswer last = SignIn(code, code.toLower() + "123");
        if (code == u"MARIA") {
            EXPECT_TRUE(last.reply.ok); // and the count starts over
            EXPECT_EQ(SignIn(code, "chute").reply.message, kInvalid);
            EXPECT_TRUE(SignIn(code, "maria123").reply.ok);
        } else {
            EXPECT_EQ(last.reply.message, kInvalid);
        }
        testing::internal::GetCapturedStderr();
    }
    // Another operator was never slowed down.
    EXPECT_TRUE(SignIn("JOAO", "joao123").reply.ok);
}

TEST(SignInThrottle, TheLockOutDoublesFromThirtySecondsUpToFifteenMinutes) {
    const std::pair<int, qint64> cases[] = {{1, 0},   {4, 0},   {5, 30},   {6, 60},   {7, 120},
                                            {8, 240}, {9, 480}, {10, 900}, {11, 900}, {1000, 900}};
    for (const auto& [failures, seconds] : cases)
        EXPECT_EQ(SignInThrottle::LockSeconds(failures), seconds) << failures;
}

ORE_INSTANTIATE_ENGINES(SessionTest);

} // namespace
