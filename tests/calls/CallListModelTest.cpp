// The call list's rows, followed edit by edit as simulated traffic comes
// tick by tick into a tracker that drops its oldest calls, stay what a
// fresh build makes of the same calls; and orders and filters read the
// fields as the list shows them (numbers by value, the start across
// midnight, empty fields last).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "calls/CallCsv.h"
#include "calls/CallListModel.h"
#include "tests/calls/SimulatedFrames.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

// A view keeping its own rows from the edits alone; like a Qt view it takes
// an insertion or a move when it ends.
struct Mirror : CallListModel::Edits {
    explicit Mirror(const CallListModel& m) : model(m) {}
    void BeginRemove(size_t row) override { rows.erase(rows.begin() + static_cast<long>(row)); }
    void EndRemove() override {}
    void BeginInsert(size_t row) override { inserted = row; }
    void EndInsert() override { rows.insert(rows.begin() + static_cast<long>(inserted), model.NumberAt(inserted)); }
    void BeginMove(size_t from, size_t to) override { moving = {from, to}; }
    void EndMove() override {
        const auto [from, to] = moving;
        ++moves;
        rows.insert(rows.begin() + static_cast<long>(to), rows.at(from));
        rows.erase(rows.begin() + static_cast<long>(to < from ? from + 1 : from));
    }
    void Changed(size_t row) override { EXPECT_EQ(rows.at(row), model.NumberAt(row)); }

    const CallListModel& model;
    std::vector<uint64_t> rows;
    size_t inserted = 0, moves = 0;
    std::pair<size_t, size_t> moving;
};

std::vector<uint64_t> Rows(const CallListModel& m) {
    std::vector<uint64_t> rows;
    for (size_t r = 0; r < m.Rows(); ++r) rows.push_back(m.NumberAt(r));
    return rows;
}

}  // namespace

TEST(CallListModel, FollowedRowsEqualAFreshBuildInEveryOrderAndFilter) {
    using C = CallCsv;
    const struct {
        int column;
        bool ascending;
        int result;
        const char* digits;
    } cases[] = {
        {C::kNumber, true, CallListModel::kAllResults, ""},  {C::kFrames, false, CallListModel::kAllResults, ""},
        {C::kStartTime, true, CallListModel::kAllResults, ""}, {C::kToAlerting, false, CallListModel::kAllResults, ""},
        {C::kCalling, true, CallListModel::kAllResults, ""}, {C::kChannels, false, CallListModel::kAllResults, ""},
        {C::kResult, true, CallListModel::kAllResults, ""},  {C::kLastIndex, true, CallRecord::kOngoing, ""},
        {C::kTalk, true, CallRecord::kCompleted, ""},        {C::kNumber, false, CallListModel::kAllResults, "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        CallTracker tracker(60);  // drops calls on the way
        CallListModel model(MessageCatalogue::Program()), fresh(MessageCatalogue::Program());
        for (CallListModel* m : {&model, &fresh}) m->SetSort(c.column, c.ascending), m->SetFilter(c.result, c.digits);
        model.Build(tracker);
        Mirror view(model);
        TrafficGenerator generator(5);
        for (int frame = 0; frame < 6000; ++frame) {
            FrameRecord r = NextSimulatedFrame(generator, 86'340'000 + 20 * frame);  // 23:59:00 on
            r.SetIndex(frame);
            tracker.Add(r);
            if (frame % 97 != 96 && frame != 5999) continue;
            model.Update(tracker, tracker.TakeChanged(), view);
            fresh.Build(tracker);
            ASSERT_EQ(view.rows, Rows(model)) << frame;
            ASSERT_EQ(Rows(model), Rows(fresh)) << frame;
        }
        // Every call the filter passes is shown once; the counts are the held calls'.
        size_t passing = 0, completed = 0;
        for (const CallRecord& call : tracker) {
            completed += call.Outcome() == CallRecord::kCompleted;
            passing += (c.result < 0 || call.Outcome() == c.result) &&
                       (call.calling.find(c.digits) != std::string::npos || call.called.find(c.digits) != std::string::npos);
        }
        EXPECT_EQ(std::tuple(model.Rows(), model.Calls(), model.Count(CallRecord::kCompleted)),
                  std::tuple(passing, tracker.Count(), completed));
        EXPECT_GT(model.Rows(), 5u);
        if (c.column == C::kFrames) EXPECT_GT(view.moves, 0u);
        // The rows in the order their fields say (numbers by value, the start by time), empty ones last.
        std::vector<std::pair<int64_t, std::string>> keys;
        for (size_t r = 0; r < model.Rows(); ++r) {
            const CallRecord& call = *tracker.Find(model.NumberAt(r));
            std::string f;
            CallCsv::AppendField(f, c.column, call, MessageCatalogue::Program());
            if (f.empty()) continue;
            EXPECT_EQ(keys.size(), r) << "a field after an empty one";
            const int64_t value = c.column == C::kStartTime ? call.startMs : c.column == C::kResult ? call.Outcome()
                                : c.column == C::kCalling                  ? 0 : std::stoll(f);
            keys.emplace_back(c.ascending ? value : -value, c.column == C::kCalling ? f : "");
        }
        EXPECT_TRUE(std::is_sorted(keys.begin(), keys.end()));
        if (c.column == C::kStartTime) EXPECT_GE(keys.back().first, CallTracker::kDayMs);  // after midnight: last
    }
}
