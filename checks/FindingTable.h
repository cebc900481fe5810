#pragma once
// The rows of the findings window: the findings a log holds that pass the
// filter (one severity or all, one check or all), by finding number, in the
// order of any column of the CSV (INDEX, time on the checker's clock,
// severity from the gravest, check code, call number with findings of no
// call last either way, text by its bytes); equal keys keep the order the
// findings were made in. Between builds it takes only the findings made
// since and lets go of those the log dropped, each change an edit a view
// can follow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "checks/CheckKind.h"
#include "checks/Finding.h"
#include "checks/FindingLog.h"

class FindingTable {
public:
    enum Column { kIndex, kTime, kSeverity, kCheck, kCall, kText, kColumns };
    static constexpr int kAll = -1;
    static constexpr size_t kNoRow = static_cast<size_t>(-1);
    // More runs of rows than this to insert or remove at once: the rows are
    // built anew instead.
    static constexpr size_t kMaxRuns = 32;

    // The row edits of Update, in the order they happen; a row counted as
    // the rows stand when the edit begins.
    class Edits {
    public:
        virtual ~Edits() = default;
        virtual void BeginInsert(size_t row, size_t count) = 0;
        virtual void EndInsert() = 0;
        virtual void BeginRemove(size_t row, size_t count) = 0;
        virtual void EndRemove() = 0;
        virtual void BeginReset() = 0;
        virtual void EndReset() = 0;
    };

    // The CSV's header field of a column (CP932).
    static std::string ColumnName(int column);
    // A finding's field as the CSV writes it, unquoted (CP932).
    static std::string Field(const Finding& finding, int column);

    // Both take effect at the next Build. A Column; a Severity or kAll; a
    // Check or kAll.
    void SetSort(int column, bool ascending);
    void SetFilter(int severity, int check);
    int SortColumn() const { return column_; }
    bool Ascending() const { return ascending_; }

    // The rows made afresh from every finding the log holds.
    void Build(const FindingLog& log);
    // The findings made since the last Build or Update placed, those the
    // log let go removed.
    void Update(const FindingLog& log, Edits& edits);

    size_t Rows() const { return rows_.size(); }
    // The finding number of a row; 0 outside.
    uint64_t NumberAt(size_t row) const { return row < rows_.size() ? rows_[row] : 0; }
    // The row of a finding the log holds; kNoRow when it is not shown.
    size_t RowOf(const FindingLog& log, uint64_t number) const;

private:
    bool Passes(const Finding& finding) const;
    // a goes before b in the rows (both held by the log).
    bool Before(const FindingLog& log, uint64_t a, uint64_t b) const;
    void Sort(const FindingLog& log, std::vector<uint64_t>& numbers) const;
    // Rows of numbers the log no longer holds removed.
    void Drop(const FindingLog& log, Edits& edits);
    // New rows, already in order, placed among the others.
    void Insert(const FindingLog& log, const std::vector<uint64_t>& added, Edits& edits);

    int column_ = kIndex;
    bool ascending_ = true;
    int severity_ = kAll;
    int check_ = kAll;
    std::vector<uint64_t> rows_;
    uint64_t next_ = 1;  // the first number not yet read
};
