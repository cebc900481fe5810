#include "calls/CallListModel.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "calls/CallCsv.h"

void CallListModel::SetSort(int column, bool ascending) {
    sortColumn_ = column >= 0 && column < CallCsv::kColumns ? column : CallCsv::kNumber;
    ascending_ = ascending;
}

void CallListModel::SetFilter(int result, std::string digits) {
    result_ = result;
    digits_ = std::move(digits);
}

// The key reads the field the list shows, so the order always agrees with
// what is on the screen.
CallListModel::Key CallListModel::KeyOf(const CallRecord& call) const {
    Key key;
    std::string field;
    CallCsv::AppendField(field, sortColumn_, call, catalogue_);
    key.empty = field.empty();
    if (key.empty) return key;
    switch (sortColumn_) {
    case CallCsv::kStartTime: key.value = call.startMs; break;  // the next day after midnight
    case CallCsv::kResult: key.value = call.Outcome(); break;
    case CallCsv::kOriginatingSide: case CallCsv::kCalling: case CallCsv::kCalled: case CallCsv::kClearingSide:
    case CallCsv::kClearing: case CallCsv::kCauseName: case CallCsv::kCharge:
        key.text = std::move(field);
        break;
    case CallCsv::kChannels:  // by the lowest channel, then the others
        std::from_chars(field.data(), field.data() + field.size(), key.value);
        key.text = std::move(field);
        break;
    default: std::from_chars(field.data(), field.data() + field.size(), key.value); break;
    }
    return key;
}

bool CallListModel::Passes(const CallRecord& call) const {
    if (result_ != kAllResults && call.Outcome() != result_) return false;
    return digits_.empty() || call.calling.find(digits_) != std::string::npos ||
           call.called.find(digits_) != std::string::npos;
}

bool CallListModel::Before(const Key& a, uint64_t na, const Key& b, uint64_t nb) const {
    if (a.empty != b.empty) return b.empty;
    if (!a.empty) {
        if (a.value != b.value) return ascending_ ? a.value < b.value : a.value > b.value;
        if (a.text != b.text) return ascending_ ? a.text < b.text : a.text > b.text;
    }
    return na < nb;
}

size_t CallListModel::FirstNotBefore(size_t first, size_t last, const Key& key, uint64_t number) const {
    const auto at = std::partition_point(rows_.begin() + static_cast<ptrdiff_t>(first),
                                         rows_.begin() + static_cast<ptrdiff_t>(last), [&](uint64_t row) {
                                             return Before(EntryOf(row).key, row, key, number);
                                         });
    return static_cast<size_t>(at - rows_.begin());
}

size_t CallListModel::RowOf(uint64_t number) const {
    if (number < entryFirst_ || number - entryFirst_ >= entries_.size() || !EntryOf(number).shown) return kNoRow;
    const size_t row = FirstNotBefore(0, rows_.size(), EntryOf(number).key, number);
    return row < rows_.size() && rows_[row] == number ? row : kNoRow;
}

void CallListModel::Build(const CallTracker& calls) {
    rows_.clear();
    entries_.clear();
    std::fill(std::begin(counts_), std::end(counts_), 0);
    entryFirst_ = calls.FirstNumber();
    for (const CallRecord& call : calls) {
        Entry& entry = entries_.emplace_back();
        entry.result = call.Outcome();
        entry.counted = true;
        ++counts_[entry.result];
        entry.key = KeyOf(call);
        entry.shown = Passes(call);
        if (entry.shown) rows_.push_back(call.number);
    }
    std::sort(rows_.begin(), rows_.end(),
              [this](uint64_t a, uint64_t b) { return Before(EntryOf(a).key, a, EntryOf(b).key, b); });
    calls_ = calls.Count();
}

void CallListModel::Update(const CallTracker& calls, const std::vector<uint64_t>& changed, Edits& edits) {
    // The calls the tracker no longer holds leave first.
    while (!entries_.empty() && entryFirst_ < calls.FirstNumber()) {
        const Entry& gone = entries_.front();
        if (gone.counted) --counts_[gone.result];
        if (gone.shown) {
            const size_t row = RowOf(entryFirst_);
            edits.BeginRemove(row);
            rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(row));
            edits.EndRemove();
        }
        entries_.pop_front();
        ++entryFirst_;
    }
    if (entries_.empty()) entryFirst_ = calls.FirstNumber();
    const uint64_t known = entryFirst_ + entries_.size();
    for (uint64_t number : changed)
        if (number < known)
            if (const CallRecord* call = calls.Find(number)) Refresh(*call, edits);
    // New calls in order of their first frame: with the usual order they
    // all go to the end.
    for (uint64_t number = known; number < calls.FirstNumber() + calls.Count(); ++number) {
        entries_.emplace_back();
        Refresh(*calls.Find(number), edits);
    }
    calls_ = calls.Count();
}

void CallListModel::Refresh(const CallRecord& call, Edits& edits) {
    const uint64_t number = call.number;
    Entry& entry = entries_[number - entryFirst_];
    const uint8_t result = call.Outcome();
    if (entry.counted) --counts_[entry.result];
    ++counts_[result];
    entry.counted = true;
    entry.result = result;
    Key key = KeyOf(call);
    const bool passes = Passes(call);
    if (entry.shown && passes) {
        // It stays, perhaps elsewhere: a move keeps it selected.
        const size_t from = RowOf(number);
        size_t to = FirstNotBefore(0, from, key, number);
        if (to == from) to = FirstNotBefore(from + 1, rows_.size(), key, number);
        entry.key = std::move(key);
        if (to == from || to == from + 1) return edits.Changed(from);
        edits.BeginMove(from, to);
        const auto at = rows_.begin();
        if (to < from) std::rotate(at + static_cast<ptrdiff_t>(to), at + static_cast<ptrdiff_t>(from),
                                   at + static_cast<ptrdiff_t>(from) + 1);
        else std::rotate(at + static_cast<ptrdiff_t>(from), at + static_cast<ptrdiff_t>(from) + 1,
                         at + static_cast<ptrdiff_t>(to));
        edits.EndMove();
        return edits.Changed(to < from ? to : to - 1);
    }
    if (entry.shown) {
        const size_t row = RowOf(number);
        edits.BeginRemove(row);
        rows_.erase(rows_.begin() + static_cast<ptrdiff_t>(row));
        entry.shown = false;
        edits.EndRemove();
    }
    entry.key = std::move(key);
    if (!passes) return;
    const size_t row = FirstNotBefore(0, rows_.size(), entry.key, number);
    edits.BeginInsert(row);
    rows_.insert(rows_.begin() + static_cast<ptrdiff_t>(row), number);
    entry.shown = true;
    edits.EndInsert();
}
