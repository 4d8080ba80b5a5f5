// The server's whole request path, without the sockets: a POST body of the
// call path goes to the transport's answer, against a demo database made once
// per process. Every body gets a well-formed reply envelope: 400 for bytes
// that are not a call, 200 otherwise.

#include "core/data/Exceptions.h"
#include "fuzz/FuzzInput.h"
#include "rpc/Modules.h"
#include "storage/Commands.h"
#include "transport/CallAnswer.h"

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

TRemoteModuleRegistry* g_registry = nullptr;
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
    g_registry = &registry;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TCallContext context;
    context.peerAddress = QStringLiteral("127.0.0.1");
    const TCallAnswer answer = AnswerCall(*g_registry, context, Fuzz::Bytes(data, size));
    if (answer.status != 200 && answer.status != 400)
        Fuzz::Broken("a call was answered with neither 200 nor 400");
    try {
        const TServerReply reply = Wire::DecodeReply(answer.body);
        if (answer.status == 400 && reply.ok)
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
