#include "checks/FindingTable.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "checks/FindingsCsv.h"
#include "store/TraceText.h"

namespace {

template <typename T>
int Compare(const T& a, const T& b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

std::string FindingTable::ColumnName(int column) {
    // The header row's fields, so the window and the file never differ.
    const std::string& header = FindingsCsv::Header();
    size_t from = 0;
    for (int c = 0; c < column && from != std::string::npos; ++c) {
        from = header.find(',', from);
        if (from != std::string::npos) ++from;
    }
    if (column < 0 || column >= kColumns || from == std::string::npos) return {};
    const size_t end = header.find_first_of(",\r", from);
    return header.substr(from, end - from);
}

std::string FindingTable::Field(const Finding& finding, int column) {
    switch (column) {
    case kIndex: return TraceText::IndexText(finding.index);
    case kTime: return finding.time.Format();
    case kSeverity: return CheckKind::SeverityName(finding.severity);
    case kCheck: return CheckKind::Code(finding.check);
    case kCall: return finding.call != 0 ? std::to_string(finding.call) : std::string();
    case kText: return finding.text;
    default: return {};
    }
}

void FindingTable::SetSort(int column, bool ascending) {
    column_ = column >= 0 && column < kColumns ? column : kIndex;
    ascending_ = ascending;
}

void FindingTable::SetFilter(int severity, int check) {
    severity_ = severity;
    check_ = check;
}

bool FindingTable::Passes(const Finding& finding) const {
    return (severity_ == kAll || static_cast<int>(finding.severity) == severity_) &&
           (check_ == kAll || static_cast<int>(finding.check) == check_);
}

bool FindingTable::Before(const FindingLog& log, uint64_t a, uint64_t b) const {
    const Finding& fa = log.At(a - log.FirstNumber());
    const Finding& fb = log.At(b - log.FirstNumber());
    int order = 0;
    switch (column_) {
    case kIndex: order = Compare(fa.index, fb.index); break;
    case kTime: order = Compare(fa.ms, fb.ms); break;
    case kSeverity: order = Compare(fa.severity, fb.severity); break;
    case kCheck: order = CheckKind::Code(fa.check).compare(CheckKind::Code(fb.check)); break;
    case kCall:
        // Findings of no call last, whichever way.
        if ((fa.call == 0) != (fb.call == 0)) return fb.call == 0;
        order = Compare(fa.call, fb.call);
        break;
    case kText: order = fa.text.compare(fb.text); break;
    }
    if (order != 0) return ascending_ ? order < 0 : order > 0;
    return a < b;
}

void FindingTable::Sort(const FindingLog& log, std::vector<uint64_t>& numbers) const {
    // Ties go by number: a total order, so any sort is stable here.
    std::sort(numbers.begin(), numbers.end(), [&](uint64_t a, uint64_t b) { return Before(log, a, b); });
}

void FindingTable::Build(const FindingLog& log) {
    rows_.clear();
    for (uint64_t n = log.FirstNumber(); n < log.NextNumber(); ++n)
        if (Passes(log.At(n - log.FirstNumber()))) rows_.push_back(n);
    Sort(log, rows_);
    next_ = log.NextNumber();
}

void FindingTable::Update(const FindingLog& log, Edits& edits) {
    if (log.NextNumber() < next_) {
        // Numbered afresh: nothing of the rows still stands.
        edits.BeginReset();
        Build(log);
        edits.EndReset();
        return;
    }
    Drop(log, edits);
    std::vector<uint64_t> added;
    for (uint64_t n = std::max(next_, log.FirstNumber()); n < log.NextNumber(); ++n)
        if (Passes(log.At(n - log.FirstNumber()))) added.push_back(n);
    next_ = log.NextNumber();
    if (added.empty()) return;
    Sort(log, added);
    Insert(log, added, edits);
}

void FindingTable::Drop(const FindingLog& log, Edits& edits) {
    const uint64_t first = log.FirstNumber();
    auto gone = [first](uint64_t n) { return n < first; };
    std::vector<std::pair<size_t, size_t>> runs;  // first row, count
    for (size_t r = 0; r < rows_.size(); ++r) {
        if (!gone(rows_[r])) continue;
        if (!runs.empty() && runs.back().first + runs.back().second == r) ++runs.back().second;
        else runs.emplace_back(r, 1);
        if (runs.size() > kMaxRuns) break;
    }
    if (runs.empty()) return;
    if (runs.size() > kMaxRuns) {
        edits.BeginReset();
        std::erase_if(rows_, gone);
        edits.EndReset();
        return;
    }
    // From the last: the rows before a run stand where they were.
    for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
        edits.BeginRemove(run->first, run->second);
        const auto at = rows_.begin() + static_cast<std::ptrdiff_t>(run->first);
        rows_.erase(at, at + static_cast<std::ptrdiff_t>(run->second));
        edits.EndRemove();
    }
}

void FindingTable::Insert(const FindingLog& log, const std::vector<uint64_t>& added, Edits& edits) {
    auto before = [&](uint64_t a, uint64_t b) { return Before(log, a, b); };
    // Where each goes among the rows as they stand; added is in order, so
    // these never go down.
    std::vector<size_t> at(added.size());
    size_t runs = 0;
    for (size_t i = 0; i < added.size(); ++i) {
        const auto from = rows_.begin() + static_cast<std::ptrdiff_t>(i ? at[i - 1] : 0);
        at[i] = static_cast<size_t>(std::upper_bound(from, rows_.end(), added[i], before) - rows_.begin());
        runs += i == 0 || at[i] != at[i - 1];
    }
    if (runs > kMaxRuns) {
        edits.BeginReset();
        std::vector<uint64_t> merged;
        merged.reserve(rows_.size() + added.size());
        std::merge(rows_.begin(), rows_.end(), added.begin(), added.end(), std::back_inserter(merged), before);
        rows_ = std::move(merged);
        edits.EndReset();
        return;
    }
    for (size_t end = added.size(); end > 0;) {
        size_t begin = end - 1;
        while (begin > 0 && at[begin - 1] == at[end - 1]) --begin;
        edits.BeginInsert(at[begin], end - begin);
        rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at[begin]),
                     added.begin() + static_cast<std::ptrdiff_t>(begin), added.begin() + static_cast<std::ptrdiff_t>(end));
        edits.EndInsert();
        end = begin;
    }
}

size_t FindingTable::RowOf(const FindingLog& log, uint64_t number) const {
    if (number < log.FirstNumber() || number >= std::min(next_, log.NextNumber())) return kNoRow;
    if (!Passes(log.At(number - log.FirstNumber()))) return kNoRow;
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), number,
                                     [&](uint64_t a, uint64_t b) { return Before(log, a, b); });
    return it != rows_.end() && *it == number ? static_cast<size_t>(it - rows_.begin()) : kNoRow;
}
