// TRecordSet::SetDataAll: a screen's packets decoded side by side.

#include "core/data/Exceptions.h"
#include "core/data/PacketCodec.h"
#include "core/data/RecordSet.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <numeric>
#include <thread>

namespace {

// Below this many bytes in all, the packets decode in less time than a
// thread takes to start.
constexpr qsizetype kSideBySideFrom = qsizetype(1) << 20;

} // namespace

void TRecordSet::SetDataAll(std::span<TRecordSet* const> sets,
                            std::span<const TDataPacket> packets) {
    if (sets.size() != packets.size())
        throw Exception(QStringLiteral("%1 conjuntos de registros para %2 pacotes de dados.")
                            .arg(sets.size())
                            .arg(packets.size()));
    const size_t n = sets.size();
    // Everything the decoding reads from the record sets is taken here, on
    // the caller's thread; the decoding itself touches only the packets.
    std::vector<TFieldDefs> targets;
    for (const TRecordSet* set : sets)
        targets.push_back(set->PacketTarget());
    std::vector<std::unique_ptr<TRowStore>> stores(n);
    std::vector<std::exception_ptr> errors(n);
    // Largest first: a list takes about as long as its largest packet, which
    // must start at once while the others share the remaining cores.
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return packets[a].Size() > packets[b].Size(); });
    std::atomic<size_t> next{0};
    const auto decode = [&] {
        for (size_t k = next++; k < n; k = next++) {
            const size_t i = order[k];
            try {
                stores[i] = DecodePacket(packets[i], targets[i]);
            } catch (...) {
                errors[i] = std::current_exception();
            }
        }
    };
    qsizetype bytes = 0;
    for (const TDataPacket& p : packets)
        bytes += p.Size();
    const size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t helpers = bytes < kSideBySideFrom ? 0 : std::min(cores, n) - 1;
    {
        std::vector<std::jthread> threads;
        for (size_t h = 0; h < helpers; ++h)
            threads.emplace_back(decode);
        decode();
    } // joined
    for (const std::exception_ptr& e : errors)
        if (e)
            std::rethrow_exception(e);
    for (size_t i = 0; i < n; ++i)
        sets[i]->Load(std::move(stores[i]));
}
