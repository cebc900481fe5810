#pragma once
// Figures over the calls a tracker holds: calls by result; by cause value,
// location and clearing side; the delay from SETUP to the first ALERTING
// (calls whose first frame was a SETUP) and the talk time (CONNECT to the
// first clearing message, as the CSV's 通話 column), each as count, min,
// median, 95th percentile and max over every call and per called-number
// prefix; calls per hour of day by start; the B channels by busy time (the
// lengths of their timeline bars added up). Times are ms.
//
// Percentiles are by nearest rank: the p-th of n values is the
// ceil(p*n/100)-th smallest (the median of 4 values is the 2nd).
// A call counts under the longest prefix its called number begins with
// (the first given of equal ones), else under その他.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calls/CallRecord.h"
#include "calls/CallTracker.h"
#include "calls/ChannelTimeline.h"

class CallStatistics {
public:
    struct Figures {
        size_t count = 0;  // the rest only when count is not 0
        int64_t min = 0;
        int64_t median = 0;
        int64_t p95 = 0;
        int64_t max = 0;
    };
    struct Group {
        std::string name;  // CP932: 全体, a prefix, その他
        Figures figures;
    };
    struct CauseRow {
        int cause = 0;
        int location = 0;
        uint8_t side = 0;  // the clearing side, FrameRecord::kTx or kRx
        size_t count = 0;
    };
    struct HourRow {
        int64_t day = 0;  // 0 the tracker's first day, 1 the next ...
        int hour = 0;
        size_t count = 0;
    };
    struct ChannelRow {
        int channel = 0;
        int64_t busyMs = 0;
        size_t calls = 0;
    };

    // Called-number prefixes as typed (digits), for the next Build or Start.
    void SetPrefixes(std::vector<std::string> prefixes) { wanted_ = std::move(prefixes); }
    // Start, every call the tracker holds, Finish.
    // The prefixes of a typed list: separated by commas or spaces, empty
    // ones left out, each the first time only.
    static std::vector<std::string> PrefixesOf(std::string_view typed);
    void Build(const CallTracker& calls);
    // The same fed a call at a time, in any order (a reader that lets calls
    // go as they settle keeps only their figures): endOfCapture is the
    // tracker's clock at the end, which only calls still open read. The
    // tables stand as they were until Finish; Add or Finish without a Start
    // starts.
    void Start();
    void Add(const CallRecord& call, int64_t endOfCapture);
    void Finish();

    size_t Calls() const { return calls_; }
    size_t ResultCount(CallRecord::Result result) const {
        return result < CallRecord::kResultCount ? results_[result] : 0;
    }
    // Cause, then location, then side ascending; calls with a cause only.
    const std::vector<CauseRow>& Causes() const { return causes_; }
    // 全体 first, then one group per prefix in the order given, then その他.
    const std::vector<Group>& ToAlerting() const { return toAlerting_; }
    const std::vector<Group>& Talk() const { return talk_; }
    // The hours with calls, in time order.
    const std::vector<HourRow>& Hours() const { return hours_; }
    // Channels 1 to 23 (and 24 when a call names it), the busiest first,
    // equal ones by channel.
    const std::vector<ChannelRow>& Channels() const { return channels_; }

    // The figures of values (reordered on the way).
    static Figures FiguresOf(std::vector<int64_t>& values);

private:
    // The group of a called number: 1 + the position of its longest prefix,
    // or the last group.
    size_t GroupOf(std::string_view called) const;
    std::vector<Group> Groups(std::vector<std::vector<int64_t>>& values) const;

    std::vector<std::string> wanted_;
    std::vector<std::string> prefixes_;  // the ones of the last Start
    std::vector<size_t> longestFirst_;  // positions in prefixes_, the longest first, equal ones in order
    size_t calls_ = 0;
    size_t results_[CallRecord::kResultCount] = {};
    std::vector<CauseRow> causes_;
    std::vector<Group> toAlerting_;
    std::vector<Group> talk_;
    std::vector<HourRow> hours_;
    std::vector<ChannelRow> channels_;

    // What Add gathers for Finish.
    struct Gathered {
        size_t calls = 0;
        size_t results[CallRecord::kResultCount] = {};
        std::vector<size_t> causes;  // by cause key
        // [0] every call, [1..] a prefix, [last] the rest.
        std::vector<std::vector<int64_t>> toAlerting, talk;
        std::map<int64_t, size_t> hours;
        int64_t lastHour = 0;
        size_t* inHour = nullptr;
        int64_t busy[ChannelTimeline::kLastChannel + 1] = {};
        size_t onChannel[ChannelTimeline::kLastChannel + 1] = {};
    };
    Gathered gathered_;
};
