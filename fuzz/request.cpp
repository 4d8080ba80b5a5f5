// The server's whole request path, without the sockets: a POST body of the
// call path goes to the transport's answer, session gate included, against a
// demo database made once per process. The input's length picks the session
// header, so that the corpus stays plain bodies: a third of the inputs carry
// a live session and reach the methods, a third none, a third a well-formed
// token that names no session. Every body gets a well-formed reply envelope:
// 400 for bytes that are not a call, 401 for a call without a live session,
// 200 otherwise.

#include "core/data/Exceptions.h"
#include "fuzz/FuzzInput.h"
#include "rpc/Modules.h"
#include "session/SessionGate.h"
#include "session/SessionModule.h"
#include "session/SessionStore.h"
#include "storage/Commands.h"
#include "transport/CallAnswer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

TRemoteModuleRegistry* g_registry = nullptr;
TSessionStore* g_store = nullptr;
TSessionGate* g_gate = nullptr;
QString g_token;

// A live session's header; a call of Sair may have ended the last one.
std::string LiveSession() {
    if (g_token.isEmpty() || !g_store->Check(g_token))
        g_token = g_store->Create(QStringLiteral("MARIA"), QStringLiteral("127.0.0.1"));
    return "Bearer " + g_token.toStdString();
}

// A token of the right form that no session has.
std::string ForgedSession(const uint8_t* data, size_t size) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
    std::string token(43, 'A');
    for (size_t i = 0; i < token.size() && i < size; ++i)
        token[i] = alphabet[data[i] % 64];
    return "Bearer " + token;
}
const bool g_showReplies = qEnvironmentVariableIsSet("FUZZ_SHOW_REPLIES");

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    if (!dir.isValid())
        Fuzz::Broken("no scratch folder for the database");
    const QString db = dir.filePath(QStringLiteral("fuzz.db"));
    if (RunInitDb(db) != 0 || RunSeedDemo(db) != 0)
        Fuzz::Broken("the scratch database could not be made");
    static TRemoteModuleRegistry registry;
    RegisterModules(registry, db);
    static auto store = std::make_shared<TSessionStore>(DbUrl::Parse(db));
    RegisterSessionModule(registry, store);
    static TSessionGate gate(store);
    g_registry = &registry;
    g_store = store.get();
    g_gate = &gate;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TCallContext context;
    context.peerAddress = QStringLiteral("127.0.0.1");
    const size_t kind = size % 3;
    const std::string authorization = kind == 0   ? LiveSession()
                                      : kind == 1 ? std::string()
                                                  : ForgedSession(data, size);
    const TCallAnswer answer =
        AnswerCall(*g_registry, context, Fuzz::Bytes(data, size), g_gate, authorization);
    if (answer.status != 200 && answer.status != 400 && answer.status != 401)
        Fuzz::Broken("a call was answered with neither 200, 400 nor 401");
    if (answer.status == 401 && kind == 0)
        Fuzz::Broken("a call with a live session was refused for want of one");
    try {
        const TServerReply reply = Wire::DecodeReply(answer.body.Joined());
        if (answer.status != 200 && reply.ok)
            Fuzz::Broken("a refused call was answered with a success");
        // To see what the seeds do: FUZZ_SHOW_REPLIES=1 fuzz-request -runs=0 CORPUS
        if (g_showReplies)
            std::fprintf(stderr, "reply %d %s\n", answer.status,
                         reply.ok ? "ok" : qPrintable(reply.message));
    } catch (const EWireError&) {
        Fuzz::Broken("the server's reply is not a reply envelope");
    }
    return 0;
}
