#include "calls/CallReport.h"

#include <utility>

#include "base/Cp932.h"
#include "calls/CallCsv.h"
#include "calls/CallMessage.h"
#include "calls/LadderModel.h"
#include "files/ListExport.h"

namespace {

std::string LocalTime(std::time_t t) {
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&t, &local)) std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S", &local);
    return text;
}

std::string OriginText(const CallReport::Origin& origin) {
    if (!origin.file.empty()) return VELK_SJIS("ファイル ") + origin.file;
    std::string text = VELK_SJIS("モニター COM") + std::to_string(origin.port);
    if (!origin.runStart.empty()) text += VELK_SJIS("　開始 ") + origin.runStart;
    if (!origin.logFile.empty()) text += VELK_SJIS("　ログ ") + origin.logFile;
    return text;
}

}  // namespace

CallReport::Origin CallReport::OriginOf(std::string file, int port, const FrameStore& store) {
    Origin origin;
    origin.file = std::move(file);
    if (!origin.file.empty()) return origin;
    origin.port = port;
    if (store.IsLogging()) origin.logFile = Cp932::FromUtf8(store.LogFileName());
    // A run numbers its frames from 0; a ring buffer may have let the first go.
    if (store.Count() && store.At(0).Index() == 0) origin.runStart = store.At(0).Time().Format();
    return origin;
}

std::string CallReport::Head(const CallRecord& call, const Origin& origin, std::time_t made,
                             const LadderCaptions& captions, const MessageCatalogue& catalogue) {
    std::string out = VELK_SJIS("呼レポート\r\n取得元: ") + OriginText(origin) + "\r\n" + VELK_SJIS("作成: ") +
                      LocalTime(made) + "\r\n\r\n" + VELK_SJIS("[呼]") + "\r\n";
    std::string field;
    for (int column = 0; column < CallCsv::kColumns; ++column) {
        field.clear();
        CallCsv::AppendField(field, column, call, catalogue);
        for (char& c : field)
            if (c == '\r' || c == '\n') c = ' ';
        out += CallCsv::ColumnName(column) + ": " + field + "\r\n";
    }
    LadderModel ladder(catalogue);
    ladder.Add(call);
    out += "\r\n" + VELK_SJIS("[シーケンス]") + "\r\n" + ladder.Text(captions.tx, captions.rx);
    return out + "\r\n" + VELK_SJIS("[フレーム]") + "\r\n";
}

uint32_t CallReport::CollectFrames(const CallRecord& call, const FrameStore& store, FrameStore& frames) {
    frames.Clear();
    for (size_t p = 0; p < store.Count(); ++p) {
        const FrameRecord& record = store.At(p);
        if (record.Index() < call.firstIndex || record.Index() > call.lastIndex) continue;
        const CallMessage message(record);
        if (message.Counts() && message.Tei() == call.tei && message.CallReference() == call.callReference &&
            message.OriginatingSide() == call.originatingSide) {
            frames.Take(FrameRecord(record), false);
        }
    }
    return call.frames > frames.Count() ? static_cast<uint32_t>(call.frames - frames.Count()) : 0;
}

bool CallReport::Write(const std::string& head, const CallRecord& call, const FrameStore& store,
                       DisplayOptions options, const MessageCatalogue& catalogue, DetailSource& details,
                       FdWriter& out) {
    FrameStore frames;
    const uint32_t missing = CollectFrames(call, store, frames);
    out.Buffer() += head;
    if (missing)
        out.Buffer() += VELK_SJIS("この呼のフレームのうち") + std::to_string(missing) +
                        VELK_SJIS("個はもう記憶されていません。") + "\r\n";
    options.exportDetail = 1;
    size_t next = 0;
    const ExportChunks::Feed feed = [&](FrameRecord&, const FrameRecord*& record) {
        if (next == frames.Count()) return ExportChunks::kEnd;
        record = &frames.At(next++);
        return ExportChunks::kRecord;
    };
    return ListExport::ExportStream(feed, options, catalogue, details, out) == ListExport::kWritten && out.Flush();
}
