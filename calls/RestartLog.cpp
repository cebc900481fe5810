#include "calls/RestartLog.h"

#include "calls/CodesetWalk.h"
#include "calls/ElementOctets.h"
#include "decode/Layer3Fields.h"

namespace {

constexpr int kCallControlDiscriminator = 0x08;
constexpr int kRestart = 0x46;
constexpr int kChannelIdentification = 0x18;
constexpr int kRestartIndicator = 0x79;
// Restart classes: the channels the channel element names, one interface, all interfaces.
constexpr int kIndicatedChannels = 0;

bool IsRestart(const FrameLayout& frame) {
    if (!frame.Record().CheckCrc() || frame.Sapi() != 0 || !(frame.IsIFrame() || frame.IsUIFrame())) return false;
    const int length = frame.CallRefLength();
    return frame.InfoOctet(0) == kCallControlDiscriminator && (length == 1 || length == 2) &&
           frame.CallReference() == 0 && Layer3Fields::MessageType(frame) == kRestart;
}

}  // namespace

bool RestartLog::Add(const FrameRecord& record, const CallTracker& tracker) {
    const FrameLayout frame(record);
    if (!IsRestart(frame)) return false;
    Restart restart;
    restart.index = record.Index();
    restart.ms = tracker.TimeOf(record);
    restart.time = record.Time();
    restart.side = record.IsTx() ? FrameRecord::kTx : FrameRecord::kRx;
    int channel = FrameLayout::kAbsent, restartClass = kIndicatedChannels;
    CodesetWalk::Walk(frame, [&](int codeset, int identifier, int start) {
        if (codeset != 0) return;
        if (identifier == kChannelIdentification && channel == FrameLayout::kAbsent) channel = start;
        if (identifier == kRestartIndicator) {
            const int octet3 = ElementOctets(frame, start).Octet(3);
            if (octet3 != FrameLayout::kAbsent) restartClass = octet3 & 0x07;
        }
    });
    if (restartClass == kIndicatedChannels && channel != FrameLayout::kAbsent)
        restart.channels = CallChannels::Read(frame, channel);
    restart.wholeInterface = restart.channels.Empty();
    restarts_.push_back(restart);
    if (maxRestarts_ != 0 && restarts_.size() > maxRestarts_) restarts_.pop_front();
    return true;
}
