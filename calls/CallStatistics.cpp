#include "calls/CallStatistics.h"

#include <algorithm>
#include <map>
#include <numeric>

#include "base/Cp932.h"
#include "calls/ChannelTimeline.h"

namespace {

constexpr int64_t kHourMs = 3'600'000;
// A cause row's key: the cause value (7 bits), the location (4 bits), the side.
constexpr size_t kCauseKeys = 128 << 5;
constexpr size_t CauseKey(int cause, int location, uint8_t side) {
    return static_cast<size_t>((cause & 0x7F) << 5 | (location & 0x0F) << 1 | (side & 1));
}

// The 1-based rank of the percent-th percentile of count values.
size_t Rank(size_t count, size_t percent) { return (percent * count + 99) / 100; }

}  // namespace

std::vector<std::string> CallStatistics::PrefixesOf(std::string_view typed) {
    std::vector<std::string> prefixes;
    size_t at = 0;
    while (at < typed.size()) {
        const size_t end = std::min(typed.find_first_of(", ", at), typed.size());
        const std::string prefix(typed.substr(at, end - at));
        if (!prefix.empty() && std::find(prefixes.begin(), prefixes.end(), prefix) == prefixes.end())
            prefixes.push_back(prefix);
        at = end + 1;
    }
    return prefixes;
}

CallStatistics::Figures CallStatistics::FiguresOf(std::vector<int64_t>& values) {
    Figures f;
    f.count = values.size();
    if (values.empty()) return f;
    const auto [min, max] = std::minmax_element(values.begin(), values.end());
    f.min = *min;
    f.max = *max;
    // The 95th first: the median then lies among the values before it.
    const auto p95 = values.begin() + static_cast<ptrdiff_t>(Rank(f.count, 95) - 1);
    std::nth_element(values.begin(), p95, values.end());
    f.p95 = *p95;
    const auto median = values.begin() + static_cast<ptrdiff_t>(Rank(f.count, 50) - 1);
    std::nth_element(values.begin(), median, p95);
    f.median = *median;
    return f;
}

size_t CallStatistics::GroupOf(std::string_view called) const {
    for (size_t i : longestFirst_)
        if (called.starts_with(prefixes_[i])) return i + 1;
    return prefixes_.size() + 1;
}

std::vector<CallStatistics::Group> CallStatistics::Groups(std::vector<std::vector<int64_t>>& values) const {
    std::vector<Group> groups(values.size());
    groups.front().name = VELK_SJIS("全体");
    for (size_t i = 0; i < prefixes_.size(); ++i) groups[i + 1].name = prefixes_[i];
    groups.back().name = VELK_SJIS("その他");
    for (size_t i = 0; i < values.size(); ++i) groups[i].figures = FiguresOf(values[i]);
    return groups;
}

void CallStatistics::Build(const CallTracker& calls) {
    calls_ = calls.Count();
    longestFirst_.resize(prefixes_.size());
    std::iota(longestFirst_.begin(), longestFirst_.end(), size_t{0});
    std::stable_sort(longestFirst_.begin(), longestFirst_.end(),
                     [this](size_t a, size_t b) { return prefixes_[a].size() > prefixes_[b].size(); });
    std::fill(std::begin(results_), std::end(results_), 0);
    std::vector<size_t> causes(kCauseKeys, 0);
    // [0] every call, [1..] a prefix, [last] the rest.
    std::vector<std::vector<int64_t>> toAlerting(prefixes_.size() + 2), talk(prefixes_.size() + 2);
    std::map<int64_t, size_t> hours;
    int64_t lastHour = 0;
    size_t* inHour = nullptr;
    int64_t busy[ChannelTimeline::kLastChannel + 1] = {};
    size_t onChannel[ChannelTimeline::kLastChannel + 1] = {};
    const int64_t endOfCapture = calls.NowMs();

    calls.ForEach([&](const CallRecord& call) {
        ++results_[call.Outcome()];
        if (call.cause != CallRecord::kNone)
            ++causes[CauseKey(call.cause, call.location, call.clearingSide)];
        const bool alerted = !call.midCall && call.alertingMs != CallRecord::kNotSeen;
        const bool talked = call.connectedBeforeClearing;
        if (alerted || talked) {
            const size_t group = GroupOf(call.called);
            if (alerted) {
                toAlerting[0].push_back(call.alertingMs - call.startMs);
                toAlerting[group].push_back(call.alertingMs - call.startMs);
            }
            if (talked) {
                talk[0].push_back(call.clearingMs - call.connectMs);
                talk[group].push_back(call.clearingMs - call.connectMs);
            }
        }
        // Calls come in order of start: most fall in the hour of the one before.
        const int64_t hour = call.startMs / kHourMs;
        if (hour != lastHour || !inHour) inHour = &hours[lastHour = hour];
        ++*inHour;
        if (call.channels.Empty()) return;
        const int64_t length = call.ReachMs(endOfCapture) - call.startMs;
        for (int c = ChannelTimeline::kFirstChannel; c <= ChannelTimeline::kLastChannel; ++c)
            if (call.channels.Has(c)) {
                busy[c] += length;
                ++onChannel[c];
            }
    });

    causes_.clear();
    for (size_t key = 0; key < kCauseKeys; ++key)
        if (causes[key])
            causes_.push_back({static_cast<int>(key >> 5), static_cast<int>(key >> 1 & 0x0F),
                               static_cast<uint8_t>(key & 1), causes[key]});
    toAlerting_ = Groups(toAlerting);
    talk_ = Groups(talk);
    hours_.clear();
    for (const auto& [hour, count] : hours)
        hours_.push_back({hour / 24, static_cast<int>(hour % 24), count});
    channels_.clear();
    const int last = onChannel[ChannelTimeline::kLastChannel] ? ChannelTimeline::kLastChannel
                                                             : ChannelTimeline::kLastChannel - 1;
    for (int c = ChannelTimeline::kFirstChannel; c <= last; ++c) channels_.push_back({c, busy[c], onChannel[c]});
    std::stable_sort(channels_.begin(), channels_.end(),
                     [](const ChannelRow& a, const ChannelRow& b) { return a.busyMs > b.busyMs; });
}
