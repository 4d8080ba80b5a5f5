#include "framework/net/CallTransport.h"

#include <atomic>

namespace {
std::atomic<TCallTransport*> installed{nullptr};
}

TCallTransport::~TCallTransport() = default;

TCallTransport* TCallTransport::Installed() {
    return installed.load(std::memory_order_acquire);
}

void TCallTransport::Install(TCallTransport* transport) {
    installed.store(transport, std::memory_order_release);
}
