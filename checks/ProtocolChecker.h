#pragma once
// The protocol checks of the frames on the line, fed frame by frame in store
// order beside the call tracker (by the program's call feed, velkdump and
// the tests): the layer-3 call checks and the layer-2 checks, on one clock
// (the frames' times of day; a time earlier than the previous frame's is the
// next day), into one log of findings.
#include <cstddef>
#include <cstdint>

#include "calls/CallFeedReader.h"
#include "checks/CallStateCheck.h"
#include "checks/CheckSettings.h"
#include "checks/FindingLog.h"
#include "checks/Layer2Check.h"
#include "store/FrameRecord.h"

class ProtocolChecker : public CallFeedReader {
public:
    static constexpr int64_t kDayMs = 24LL * 60 * 60 * 1000;

    explicit ProtocolChecker(const CheckSettings& settings = CheckSettings(),
                             size_t maxFindings = FindingLog::kMaxFindings);

    // The next frame, after the call tracker read it: call is the number the
    // tracker's Add gave (0 when it did not count).
    void Add(const FrameRecord& record, uint64_t call);
    // Forgets every finding, call, link and the day count.
    void Clear() override;
    // As the call feed's reader.
    void Take(const FrameRecord& record, uint64_t call) override { Add(record, call); }

    const FindingLog& Findings() const { return findings_; }
    FindingLog& Findings() { return findings_; }
    const Layer2Check::Counts& FrameCounts() const { return links_.FrameCounts(); }
    const CheckSettings& Settings() const { return settings_; }

private:
    int64_t Time(const FrameRecord& record);

    CheckSettings settings_;
    FindingLog findings_;
    CallStateCheck calls_;
    Layer2Check links_;
    int64_t dayStartMs_ = 0;
    int64_t lastOfDayMs_ = -1;
};
