#include "storage/ConflictRetry.h"

#include "core/db/DbError.h"
#include "rpc/CallContext.h"

#include <cstdint>
#include <cstdio>
#include <random>
#include <thread>

void RunRetryingConflicts(const std::function<void()>& work, const QString& exhausted,
                          const TConflictRetry& retry) {
    thread_local std::minstd_rand jitter{std::random_device{}()};
    std::chrono::milliseconds pause = retry.firstPause;
    for (int attempt = 1;; ++attempt) {
        try {
            work();
            return;
        } catch (const EDbError& e) {
            if (!IsTransientConflict(e))
                throw;
            if (attempt >= retry.attempts) {
                std::fprintf(stderr,
                             "ore-server: %d tentativas recusadas por conflito; a última: %s\n",
                             attempt, e.Message().toUtf8().constData());
                throw ERemoteError(exhausted);
            }
        }
        // Jitter keeps the refused writers from all coming back at once.
        const auto wait =
            pause + std::chrono::milliseconds(jitter() % (std::uint_fast32_t(pause.count()) + 1));
        if (retry.pause)
            retry.pause(wait);
        else
            std::this_thread::sleep_for(wait);
        pause *= 2;
    }
}
