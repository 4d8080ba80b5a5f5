#include "framework/services/Dispatch.h"

#include "core/data/Exceptions.h"
#include "framework/services/Dialogs.h"

#include <QCoreApplication>

#include <vector>

namespace {

int g_depth = 0; // handlers running, nested ones included
std::vector<std::function<void()>> g_after;
int g_nestedLoops = 0;

bool Run(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        TDialogs::Current().Error(e.Message());
    } catch (const std::exception& e) {
        TDialogs::Current().Error(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace

bool Dispatch(const std::function<void()>& handler) {
    ++g_depth;
    const bool done = Run(handler);
    // What the outermost handler deferred still counts as a handler running.
    if (g_depth == 1) {
        while (!g_after.empty()) {
            auto pending = std::move(g_after);
            g_after.clear();
            for (auto& fn : pending)
                Run(fn);
        }
    }
    --g_depth;
    return done;
}

bool HandlerRunning() {
    return g_depth > 0;
}

TNestedLoopScope::TNestedLoopScope() : m_depth(g_depth), m_after(std::move(g_after)) {
    g_depth = 0;
    g_after.clear();
    ++g_nestedLoops;
}

TNestedLoopScope::~TNestedLoopScope() {
    --g_nestedLoops;
    // Whatever the loop's own handlers left pending has run by now.
    g_depth = m_depth;
    g_after = std::move(m_after);
}

int TNestedLoopScope::Level() {
    return g_nestedLoops;
}

void AfterHandlers(std::function<void()> fn) {
    if (g_depth > 0)
        g_after.push_back(std::move(fn));
    else
        QMetaObject::invokeMethod(
            qApp, [fn = std::move(fn)] { Dispatch(fn); }, Qt::QueuedConnection);
}

void MensErro(const QString& text, bool abort) {
    TDialogs::Current().Error(text);
    if (abort)
        throw EAbort();
}
