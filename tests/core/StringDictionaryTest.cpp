// Text columns keep each distinct value once: equal cells must share an id
// and unequal ones never, however the values come and however many there are.

#include "core/data/RowStore.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// Budget keys in runs, as sorted rows bring them, mixed with names drawn at
// random from a few thousand and the empty text: enough values for the
// dictionary to grow many times.
std::vector<std::string> Cells() {
    std::mt19937 rng(11);
    std::vector<std::string> cells;
    for (int budget = 0; budget < 3000; ++budget) {
        const std::string key = std::to_string(1000000 + budget);
        for (int item = 0; item < 8; ++item) {
            cells.push_back(key);
            cells.push_back("PRODUTO " + std::to_string(rng() % 5000));
        }
        cells.emplace_back();
    }
    return cells;
}

TEST(StringDictionary, EqualCellsShareAnIdAndEveryValueIsFoundAgain) {
    const std::vector<std::string> cells = Cells();
    TColumn column(TFieldKind::String);
    for (const std::string& cell : cells)
        column.AppendBytes(cell);

    std::map<std::string, quint32> ids; // value -> the id of its first cell
    for (quint32 row = 0; row < column.Size(); ++row) {
        const std::string& cell = cells[row];
        ASSERT_EQ(column.Bytes(row), cell) << "row " << row;
        const auto [it, first] = ids.emplace(cell, column.Id(row));
        // Ids are given in the order values first come, from 1.
        if (first)
            ASSERT_EQ(column.Id(row), quint32(ids.size())) << "row " << row;
        else
            ASSERT_EQ(column.Id(row), it->second) << "row " << row;
    }
    for (const auto& [value, id] : ids)
        EXPECT_EQ(column.FindId(value), id) << value;
    EXPECT_EQ(column.FindId("PRODUTO 5000"), 0u);
    EXPECT_EQ(column.FindId("1003000"), 0u);
}

} // namespace
