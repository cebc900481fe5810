#pragma once
// The rows of the call list window: the calls a tracker holds that pass the
// filter (one result or all; a number substring of the calling or the
// called number), in the order of any column (numbers by value, the start
// by time across midnight, the result in its own order, texts by their
// bytes; empty fields last either way, ties by call number), and the
// counts of the summary line. Between builds it follows the tracker call by
// call: only the calls it is told changed move, come or go, each as an
// edit a view can follow.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "calls/CallRecord.h"
#include "calls/CallTracker.h"
#include "decode/MessageCatalogue.h"

class CallListModel {
public:
    static constexpr int kAllResults = -1;
    static constexpr size_t kNoRow = static_cast<size_t>(-1);

    // The row edits of Update, in the order they happen.
    class Edits {
    public:
        virtual ~Edits() = default;
        virtual void BeginRemove(size_t row) = 0;
        virtual void EndRemove() = 0;
        virtual void BeginInsert(size_t row) = 0;
        virtual void EndInsert() = 0;
        // The row at from goes before the row at to, both counted before the move.
        virtual void BeginMove(size_t from, size_t to) = 0;
        virtual void EndMove() = 0;
        virtual void Changed(size_t row) = 0;
    };

    // The catalogue names the causes of the 理由名 column.
    explicit CallListModel(const MessageCatalogue& catalogue) : catalogue_(catalogue) {}

    // Both take effect at the next Build. A column of CallCsv; a result of
    // CallRecord or kAllResults; digits as typed (ASCII).
    void SetSort(int column, bool ascending);
    void SetFilter(int result, std::string digits);
    int SortColumn() const { return sortColumn_; }
    bool Ascending() const { return ascending_; }

    // The rows made afresh from every call the tracker holds.
    void Build(const CallTracker& calls);
    // Since the last Build or Update the tracker changed the calls numbered
    // in changed (ascending), made new ones and may have dropped its oldest.
    void Update(const CallTracker& calls, const std::vector<uint64_t>& changed, Edits& edits);

    size_t Rows() const { return rows_.size(); }
    // The call number of a row; 0 outside.
    uint64_t NumberAt(size_t row) const { return row < rows_.size() ? rows_[row] : 0; }
    // The row of a call, kNoRow when it is not shown.
    size_t RowOf(uint64_t number) const;
    // The calls held, and those of one result.
    size_t Calls() const { return calls_; }
    size_t Count(CallRecord::Result result) const { return result < CallRecord::kResultCount ? counts_[result] : 0; }

private:
    struct Key {
        bool empty = true;
        int64_t value = 0;
        std::string text;  // texts only
    };
    struct Entry {
        Key key;  // as the call was when last placed
        uint8_t result = 0;
        bool counted = false;
        bool shown = false;
    };

    Key KeyOf(const CallRecord& call) const;
    bool Passes(const CallRecord& call) const;
    bool Before(const Key& a, uint64_t na, const Key& b, uint64_t nb) const;
    const Entry& EntryOf(uint64_t number) const { return entries_[number - entryFirst_]; }
    // The first row in [first, last) whose call does not go before (key, number).
    size_t FirstNotBefore(size_t first, size_t last, const Key& key, uint64_t number) const;
    // One call placed again as it now is.
    void Refresh(const CallRecord& call, Edits& edits);

    const MessageCatalogue& catalogue_;
    int sortColumn_ = 0;
    bool ascending_ = true;
    int result_ = kAllResults;
    std::string digits_;
    std::vector<uint64_t> rows_;
    std::deque<Entry> entries_;  // one a held call, from entryFirst_ on
    uint64_t entryFirst_ = 1;
    size_t counts_[CallRecord::kResultCount] = {};
    size_t calls_ = 0;
};
