#pragma once

#include "core/data/RecordSet.h"
#include "tests/core/RecordSetTestUtil.h"

// A record set that counts the rows read besides the current one, so that
// tests can tell what a widget reads.
class TCountingRecordSet : public TRecordSet {
public:
    using TRecordSet::TRecordSet;
    std::vector<int> reads;

    // Opens `rows` generated rows of (code, name) without the cost of posts.
    void OpenGenerated(int rows) {
        auto store = std::make_unique<TRowStore>(FieldDefs());
        store->Reserve(size_t(rows));
        for (int i = 1; i <= rows; ++i)
            store->AppendRow(
                {QString::number(i).rightJustified(6, u'0'), QStringLiteral("Cliente %1").arg(i)},
                TUpdateStatus::Unmodified);
        Open(std::move(store));
    }

protected:
    void SetActiveRecNo(int recNo) override {
        if (recNo != 0)
            reads.push_back(recNo);
        TRecordSet::SetActiveRecNo(recNo);
    }
};

inline TFieldDefs CodeNameDefs() {
    return {StrField("CDCLIENTE", 6), StrField("NMCLIENTE", 30)};
}

// Clients with accented names, as lookups show them.
inline TFieldDefs ClientDefs() {
    return {StrField("CDCLIENTE", 6).Label("Código"), StrField("NMCLIENTE", 30).Label("Nome"),
            StrField("IDINTERNO", 1).Hidden()};
}

inline void FillClients(TRecordSet& rs) {
    Fill(rs, {{"000010", "JOÃO DA SILVA", "X"},
              {"000020", "Maria Conceição", "X"},
              {"000030", "Ana Lúcia", "X"},
              {"A_B", "Eventos \\ Festas", "X"}});
}
