#include "calls/CallRecord.h"

#include "base/Cp932.h"

const std::string& CallRecord::ResultName(Result result) {
    static const std::string kNames[kResultCount] = {
        Cp932::FromUtf8("完了"),   Cp932::FromUtf8("拒否"),   Cp932::FromUtf8("不応答"),
        Cp932::FromUtf8("放棄"),   Cp932::FromUtf8("未解放"), Cp932::FromUtf8("継続中"),
    };
    return kNames[result < kResultCount ? result : kOngoing];
}

// 未解放 wins over the clearing seen before it: the release never completed,
// while the clearing columns still tell who began it and why.
CallRecord::Result CallRecord::Outcome() const {
    if (unreleased) return kUnreleased;
    if (!Cleared()) return kOngoing;
    if (connectedBeforeClearing) return kCompleted;
    if (clearingSide != originatingSide) return kRejected;
    return alertedBeforeClearing ? kNoAnswer : kAbandoned;
}
