// The findings window's rows: every column sorts both ways with ties in the
// order the findings were made; filters, findings added and the oldest let
// go, each followed by edits that leave a view's copy of the rows equal to
// the table's; too many scattered edits become one rebuild; the fields are
// the CSV's.
#include <gtest/gtest.h>

#include "calls/CallCsv.h"
#include "checks/FindingTable.h"
#include "checks/FindingsCsv.h"

namespace {

using T = FindingTable;
using Numbers = std::vector<uint64_t>;
using S = Severity;
using C = Check;

Numbers RowsOf(const T& table) {
    Numbers rows;
    for (size_t r = 0; r < table.Rows(); ++r) rows.push_back(table.NumberAt(r));
    return rows;
}

// A view's copy of the rows, kept by the edits alone.
struct View : T::Edits {
    explicit View(const T& table) : table(table), rows(RowsOf(table)) {}
    void BeginInsert(size_t row, size_t count) override { at = row, n = count, ++inserts; }
    void EndInsert() override {
        for (size_t i = 0; i < n; ++i) rows.insert(rows.begin() + long(at + i), table.NumberAt(at + i));
    }
    void BeginRemove(size_t row, size_t count) override {
        rows.erase(rows.begin() + long(row), rows.begin() + long(row + count)), ++removes;
    }
    void EndRemove() override {}
    void BeginReset() override { ++resets; }
    void EndReset() override { rows = RowsOf(table); }
    const T& table;
    Numbers rows;
    size_t at = 0, n = 0;
    int inserts = 0, removes = 0, resets = 0;
};

// Findings 1 to 5: severity, check, INDEX, time, ms, call, text.
void FillFive(FindingLog& log) {
    log.Add({S::kError, C::kState, 10, {}, 5, 2, "b"});
    log.Add({S::kWarning, C::kT303, 5, {}, 50, 0, "a"});
    log.Add({S::kInfo, C::kLinkSetup, 7, {}, 70, 1, "c"});
    log.Add({S::kError, C::kReleaseComplete, 3, {}, 30, 1, "a"});
    log.Add({S::kWarning, C::kT303, 8, {}, 80, 0, "d"});
}

}  // namespace

TEST(FindingTable, EveryColumnSortsBothWaysTiesInTheOrderMade) {
    FindingLog log;
    FillFive(log);
    const struct { int column; bool ascending; Numbers rows; } cases[] = {
        {T::kIndex, true, {4, 2, 3, 5, 1}},    {T::kIndex, false, {1, 5, 3, 2, 4}},
        {T::kTime, true, {1, 4, 2, 3, 5}},     {T::kTime, false, {5, 3, 2, 4, 1}},
        {T::kSeverity, true, {1, 4, 2, 5, 3}}, {T::kSeverity, false, {3, 2, 5, 1, 4}},
        {T::kCheck, true, {3, 4, 1, 2, 5}},    {T::kCheck, false, {2, 5, 1, 4, 3}},
        {T::kCall, true, {3, 4, 1, 2, 5}},     {T::kCall, false, {1, 3, 4, 2, 5}},  // no call last either way
        {T::kText, true, {2, 4, 1, 3, 5}},     {T::kText, false, {5, 3, 1, 2, 4}},
    };
    for (const auto& c : cases) {
        T table;
        table.SetSort(c.column, c.ascending);
        table.Build(log);
        EXPECT_EQ(RowsOf(table), c.rows) << c.column << c.ascending;
        for (size_t r = 0; r < c.rows.size(); ++r) EXPECT_EQ(table.RowOf(log, c.rows[r]), r);
    }
}

TEST(FindingTable, FilteredRowsFollowNewFindingsAndTheOldestLetGo) {
    FindingLog log(6);
    FillFive(log);
    T table;
    table.SetFilter(int(S::kWarning), T::kAll);
    table.SetSort(T::kIndex, false);
    table.Build(log);
    EXPECT_EQ(RowsOf(table), (Numbers{5, 2}));
    View view(table);
    log.Add({S::kWarning, C::kT310, 6, {}, 60, 0, "e"});  // 6: between 5 and 2
    log.Add({S::kError, C::kState, 2, {}, 20, 0, "f"});   // 7: filtered out; 1 goes
    table.Update(log, view);
    EXPECT_EQ(RowsOf(table), (Numbers{5, 6, 2}));
    log.Add({S::kWarning, C::kT303, 1, {}, 10, 0, "g"});  // 8: last; 2 goes
    log.Add({S::kWarning, C::kT303, 9, {}, 90, 0, "h"});  // 9: first; 3 goes
    table.Update(log, view);
    EXPECT_EQ(std::tuple(RowsOf(table), view.rows), std::tuple(Numbers{9, 5, 6, 8}, Numbers{9, 5, 6, 8}));
    EXPECT_EQ(std::tuple(view.inserts, view.removes, view.resets), std::tuple(3, 1, 0));
    EXPECT_EQ(std::tuple(table.RowOf(log, 7), table.RowOf(log, 2)), std::tuple(T::kNoRow, T::kNoRow));
    // A log numbered afresh: the rows built anew.
    log.Clear();
    log.Add({S::kWarning, C::kT303, 4, {}, 40, 0, "i"});
    View fresh(table);
    table.Update(log, fresh);
    EXPECT_EQ(std::tuple(fresh.rows, fresh.resets), std::tuple(Numbers{1}, 1));
}

TEST(FindingTable, ManyScatteredEditsBecomeOneRebuild) {
    FindingLog log(80);
    auto add = [&](int32_t index) { log.Add({S::kInfo, C::kReject, index, {}, index, 0, ""}); };
    for (int i = 0; i < 40; ++i) add(4 * i);  // 1 to 40
    T table;
    table.Build(log);
    View view(table);
    for (int i = 0; i < 38; ++i) add(4 * i + 2);  // 41 to 78: one after each of 1 to 38
    table.Update(log, view);
    EXPECT_EQ(std::tuple(view.inserts, view.resets), std::tuple(0, 1));
    for (int i = 0; i < 40; ++i) add(1000 + i);  // 1 to 38 go, every other row; the new ones at the end
    table.Update(log, view);
    EXPECT_EQ(std::tuple(view.inserts, view.removes, view.resets), std::tuple(1, 0, 2));
    EXPECT_EQ(view.rows, RowsOf(table));
    EXPECT_EQ(std::tuple(view.rows.size(), view.rows.front(), view.rows.back()), std::tuple(80u, 41u, 118u));
}

TEST(FindingTable, FieldsAndHeadersAreTheCsvs) {
    Finding f{S::kWarning, C::kT308, 12, {}, 0, 7, "RELEASE, \"x\""};
    f.time.Set(1, 2, 3, 4);
    std::string row, header, csv;
    for (int c = 0; c < T::kColumns; ++c) {
        header += (c ? "," : "") + T::ColumnName(c);
        CallCsv::AppendQuoted(row += c ? "," : "", T::Field(f, c));
    }
    FindingsCsv::AppendRow(csv, f);
    EXPECT_EQ(std::tuple(header + "\r\n", row + "\r\n"), std::tuple(FindingsCsv::Header(), csv));
    EXPECT_EQ(std::tuple(T::Field({}, T::kCall), T::ColumnName(T::kColumns)), std::tuple("", ""));
}
