#include "calls/CallStatistics.h"

#include <algorithm>
#include <numeric>

#include "base/Cp932.h"

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
    Start();
    const int64_t endOfCapture = calls.NowMs();
    calls.ForEach([&](const CallRecord& call) { Add(call, endOfCapture); });
    Finish();
}

void CallStatistics::Start() {
    prefixes_ = wanted_;
    longestFirst_.resize(prefixes_.size());
    std::iota(longestFirst_.begin(), longestFirst_.end(), size_t{0});
    std::stable_sort(longestFirst_.begin(), longestFirst_.end(),
                     [this](size_t a, size_t b) { return prefixes_[a].size() > prefixes_[b].size(); });
    gathered_ = Gathered();
    gathered_.causes.assign(kCauseKeys, 0);
    gathered_.toAlerting.resize(prefixes_.size() + 2);
    gathered_.talk.resize(prefixes_.size() + 2);
}

void CallStatistics::Add(const CallRecord& call, int64_t endOfCapture) {
    if (gathered_.causes.empty()) Start();
    Gathered& g = gathered_;
    ++g.calls;
    ++g.results[call.Outcome()];
    if (call.cause != CallRecord::kNone) ++g.causes[CauseKey(call.cause, call.location, call.clearingSide)];
    const bool alerted = !call.midCall && call.alertingMs != CallRecord::kNotSeen;
    const bool talked = call.connectedBeforeClearing;
    if (alerted || talked) {
        const size_t group = GroupOf(call.called);
        if (alerted) {
            g.toAlerting[0].push_back(call.alertingMs - call.startMs);
            g.toAlerting[group].push_back(call.alertingMs - call.startMs);
        }
        if (talked) {
            g.talk[0].push_back(call.clearingMs - call.connectMs);
            g.talk[group].push_back(call.clearingMs - call.connectMs);
        }
    }
    // Calls mostly come in order of start: most fall in the hour of the one before.
    const int64_t hour = call.startMs / kHourMs;
    if (hour != g.lastHour || !g.inHour) g.inHour = &g.hours[g.lastHour = hour];
    ++*g.inHour;
    if (call.channels.Empty()) return;
    const int64_t length = call.ReachMs(endOfCapture) - call.startMs;
    for (int c = ChannelTimeline::kFirstChannel; c <= ChannelTimeline::kLastChannel; ++c)
        if (call.channels.Has(c)) {
            g.busy[c] += length;
            ++g.onChannel[c];
        }
}

void CallStatistics::Finish() {
    if (gathered_.causes.empty()) Start();
    Gathered& g = gathered_;
    calls_ = g.calls;
    std::copy(std::begin(g.results), std::end(g.results), std::begin(results_));
    causes_.clear();
    for (size_t key = 0; key < g.causes.size(); ++key)
        if (g.causes[key])
            causes_.push_back({static_cast<int>(key >> 5), static_cast<int>(key >> 1 & 0x0F),
                               static_cast<uint8_t>(key & 1), g.causes[key]});
    toAlerting_ = Groups(g.toAlerting);
    talk_ = Groups(g.talk);
    hours_.clear();
    for (const auto& [hour, count] : g.hours) hours_.push_back({hour / 24, static_cast<int>(hour % 24), count});
    channels_.clear();
    const int last = g.onChannel[ChannelTimeline::kLastChannel] ? ChannelTimeline::kLastChannel
                                                               : ChannelTimeline::kLastChannel - 1;
    for (int c = ChannelTimeline::kFirstChannel; c <= last; ++c) channels_.push_back({c, g.busy[c], g.onChannel[c]});
    std::stable_sort(channels_.begin(), channels_.end(),
                     [](const ChannelRow& a, const ChannelRow& b) { return a.busyMs > b.busyMs; });
    // The values go with the figures made of them.
    gathered_ = Gathered();
}
