#include "calls/CallStatisticsCsv.h"

#include <initializer_list>
#include <string_view>
#include <utility>

#include "base/Cp932.h"
#include "calls/CallCsv.h"
#include "store/FrameRecord.h"

namespace {

using Stats = CallStatistics;

class Writer {
public:
    // The title and header are UTF-8 source text.
    void Section(std::string_view title, std::string_view header) {
        if (!out_.empty()) out_ += "\r\n";
        out_ += Cp932::FromUtf8(title) + "\r\n" + Cp932::FromUtf8(header) + "\r\n";
    }
    Writer& Field(std::string_view text) {
        if (!rowEmpty_) out_.push_back(',');
        rowEmpty_ = false;
        CallCsv::AppendQuoted(out_, text);
        return *this;
    }
    Writer& Field(int64_t n) { return Field(std::to_string(n)); }
    void EndRow() {
        out_ += "\r\n";
        rowEmpty_ = true;
    }
    std::string Take() { return std::move(out_); }

private:
    std::string out_;
    bool rowEmpty_ = true;
};

void Groups(Writer& w, std::string_view title, const std::vector<Stats::Group>& groups) {
    w.Section(title, "着番号,件数,最小,中央値,95%,最大");
    for (const Stats::Group& g : groups) {
        w.Field(g.name).Field(static_cast<int64_t>(g.figures.count));
        for (int64_t v : {g.figures.min, g.figures.median, g.figures.p95, g.figures.max}) {
            if (g.figures.count) w.Field(v);
            else w.Field("");
        }
        w.EndRow();
    }
}

}  // namespace

std::string CallStatisticsCsv::Text(const CallStatistics& stats, const MessageCatalogue& catalogue) {
    Writer w;
    w.Section("結果別の呼数", "結果,件数");
    for (int r = 0; r < CallRecord::kResultCount; ++r) {
        const auto result = static_cast<CallRecord::Result>(r);
        w.Field(CallRecord::ResultName(result)).Field(static_cast<int64_t>(stats.ResultCount(result))).EndRow();
    }
    w.Section("切断理由別の呼数", "理由,位置,切断側,理由名,件数");
    for (const Stats::CauseRow& c : stats.Causes()) {
        w.Field(c.cause).Field(c.location).Field(c.side == FrameRecord::kTx ? "TX" : "RX");
        w.Field(catalogue.Lookup(MessageCatalogue::IF_CA_CA, static_cast<uint8_t>(c.cause)));
        w.Field(static_cast<int64_t>(c.count)).EndRow();
    }
    Groups(w, "SETUPからALERTINGまで(ms)", stats.ToAlerting());
    Groups(w, "通話時間(ms)", stats.Talk());
    w.Section("時間帯別の呼数", "日,時,件数");
    for (const Stats::HourRow& h : stats.Hours()) w.Field(h.day).Field(h.hour).Field(static_cast<int64_t>(h.count)).EndRow();
    w.Section("Bチャネル使用時間", "チャネル,使用時間(ms),呼数");
    for (const Stats::ChannelRow& c : stats.Channels())
        w.Field(c.channel).Field(c.busyMs).Field(static_cast<int64_t>(c.calls)).EndRow();
    return w.Take();
}
