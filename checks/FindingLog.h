#pragma once
// The findings of a run, oldest first, numbered 1, 2, ... as they are made
// (a number stays with its finding when older ones go): a reader remembers
// the next number it has not seen and asks for the rest. Holds at most a
// bound, dropping the oldest; counts per severity are of those held.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

#include "checks/Finding.h"

class FindingLog {
public:
    static constexpr size_t kMaxFindings = 100000;
    static constexpr size_t kUnbounded = 0;

    explicit FindingLog(size_t maxFindings = kMaxFindings) : maxFindings_(maxFindings) {}

    void Add(Finding finding);
    // Forgets every finding; numbering starts again at 1.
    void Clear();
    // Moves every finding held out, oldest first; numbering runs on. For a
    // writer that writes findings as they come.
    std::vector<Finding> Take();

    size_t Count() const { return findings_.size(); }
    // A position outside gives an empty finding.
    const Finding& At(size_t position) const { return position < findings_.size() ? findings_[position] : outside_; }
    auto begin() const { return findings_.begin(); }
    auto end() const { return findings_.end(); }
    // The number of the oldest finding held, and the one the next will get.
    uint64_t FirstNumber() const { return first_; }
    uint64_t NextNumber() const { return first_ + findings_.size(); }
    size_t CountOf(Severity severity) const { return counts_[static_cast<size_t>(severity)]; }

private:
    size_t maxFindings_;
    std::deque<Finding> findings_;
    std::array<size_t, kSeverityCount> counts_{};
    uint64_t first_ = 1;
    Finding outside_;
};
