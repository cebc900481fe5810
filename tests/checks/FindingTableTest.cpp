// The findings window's rows: every column sorts both ways with ties in the
// order the findings were made; filters, findings added and the oldest let
// go, each followed by edits that leave a view's copy of the rows equal to
// the table's; too many scattered edits become one rebuild.
#include <gtest/gtest.h>

#include "calls/CallCsv.h"
#include "checks/FindingTable.h"
#include "checks/FindingsCsv.h"

namespace {

using T = FindingTable;
using Numbers = std::vector<uint64_t>;

Finding Made(Severity severity, Check check, int32_t index, int64_t ms, uint64_t call, std::string text) {
    Finding f;
    f.severity = severity;
    f.check = check;
    f.index = index;
    f.ms = ms;
    f.call = call;
    f.text = std::move(text);
    return f;
}

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
        rows.erase(rows.begin() + long(row), rows.begin() + long(row + count));
        ++removes;
    }
    void EndRemove() override {}
    void BeginReset() override { ++resets; }
    void EndReset() override { rows = RowsOf(table); }
    const T& table;
    Numbers rows;
    size_t at = 0, n = 0;
    int inserts = 0, removes = 0, resets = 0;
};

// Findings 1 to 5.
void FillFive(FindingLog& log) {
    log.Add(Made(Severity::kError, Check::kState, 10, 5, 2, "b"));
    log.Add(Made(Severity::kWarning, Check::kT303, 5, 50, 0, "a"));
    log.Add(Made(Severity::kInfo, Check::kLinkSetup, 7, 70, 1, "c"));
    log.Add(Made(Severity::kError, Check::kReleaseComplete, 3, 30, 1, "a"));
    log.Add(Made(Severity::kWarning, Check::kT303, 8, 80, 0, "d"));
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
    table.SetFilter(int(Severity::kWarning), T::kAll);
    table.SetSort(T::kIndex, false);
    table.Build(log);
    EXPECT_EQ(RowsOf(table), (Numbers{5, 2}));
    View view(table);
    log.Add(Made(Severity::kWarning, Check::kT310, 6, 60, 0, "e"));  // 6: between 5 and 2
    log.Add(Made(Severity::kError, Check::kState, 2, 20, 0, "f"));   // 7: filtered out; 1 goes
    table.Update(log, view);
    EXPECT_EQ(RowsOf(table), (Numbers{5, 6, 2}));
    log.Add(Made(Severity::kWarning, Check::kT303, 1, 10, 0, "g"));  // 8: last; 2 goes
    log.Add(Made(Severity::kWarning, Check::kT303, 9, 90, 0, "h"));  // 9: first; 3 goes
    table.Update(log, view);
    EXPECT_EQ(RowsOf(table), (Numbers{9, 5, 6, 8}));
    EXPECT_EQ(view.rows, RowsOf(table));
    EXPECT_EQ(std::tuple(view.inserts, view.removes, view.resets), std::tuple(3, 1, 0));
    EXPECT_EQ(table.RowOf(log, 8), 3u);
    EXPECT_EQ(table.RowOf(log, 7), T::kNoRow);  // filtered out
    EXPECT_EQ(table.RowOf(log, 2), T::kNoRow);  // let go
    EXPECT_EQ(table.NumberAt(4), 0u);
    // Filtered by check as well: T303 warnings only.
    table.SetFilter(int(Severity::kWarning), int(Check::kT303));
    table.Build(log);
    EXPECT_EQ(RowsOf(table), (Numbers{9, 5, 8}));

    // A log numbered afresh: the rows built anew.
    log.Clear();
    log.Add(Made(Severity::kWarning, Check::kT303, 4, 40, 0, "i"));
    View fresh(table);
    table.Update(log, fresh);
    EXPECT_EQ(std::tuple(fresh.rows, fresh.resets), std::tuple(Numbers{1}, 1));
}

TEST(FindingTable, ManyScatteredEditsBecomeOneRebuild) {
    FindingLog log(80);
    auto add = [&](int32_t index) { log.Add(Made(Severity::kInfo, Check::kReject, index, index, 0, "")); };
    for (int i = 0; i < 40; ++i) add(4 * i);  // 1 to 40
    T table;
    table.Build(log);
    View view(table);
    add(41), add(121);  // after findings 11 and 31
    table.Update(log, view);
    EXPECT_EQ(std::tuple(view.inserts, view.resets), std::tuple(2, 0));
    for (int i = 0; i < 38; ++i) add(4 * i + 2);  // one after each of 1 to 38
    table.Update(log, view);
    EXPECT_EQ(std::tuple(view.inserts, view.resets), std::tuple(2, 1));
    for (int i = 0; i < 40; ++i) add(1000 + i);  // 1 to 40 go, every other row; the new ones at the end
    table.Update(log, view);
    EXPECT_EQ(std::tuple(view.inserts, view.removes, view.resets), std::tuple(3, 0, 2));
    EXPECT_EQ(view.rows, RowsOf(table));
    EXPECT_EQ(std::tuple(view.rows.size(), view.rows.front(), view.rows.back()), std::tuple(80u, 43u, 120u));
}

// The window's fields are the CSV's.
TEST(FindingTable, FieldsAndHeadersAreTheCsvs) {
    Finding f = Made(Severity::kWarning, Check::kT308, 12, 0, 7, "RELEASE, \"x\"");
    f.time.Set(1, 2, 3, 4);
    std::string row, header;
    for (int c = 0; c < T::kColumns; ++c) {
        header += (c ? "," : "") + T::ColumnName(c);
        CallCsv::AppendQuoted(row += c ? "," : "", T::Field(f, c));
    }
    EXPECT_EQ(header + "\r\n", FindingsCsv::Header());
    std::string csv;
    FindingsCsv::AppendRow(csv, f);
    EXPECT_EQ(row + "\r\n", csv);
    f.call = 0;
    EXPECT_EQ(T::Field(f, T::kCall), "");
    EXPECT_EQ(T::ColumnName(T::kColumns), "");
}
