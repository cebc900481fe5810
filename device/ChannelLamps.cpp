#include "device/ChannelLamps.h"

void ChannelLamps::Repaint(const BChannelStatus& status) {
    for (int row = 0; row < 2; ++row) {
        const BChannelStatus::Direction& s = status.direction[static_cast<size_t>(row)];
        for (int j = 0; j < kChannels; ++j)
            bLamps_[row][j] = !s.lineNormal ? kLineFault : s.bChannel[static_cast<size_t>(j)] ? kActive : kInactive;
        dLamps_[row] = s.dChannel ? kActive : kInactive;
    }
}

ChannelLamps::VoiceCommand ChannelLamps::VoiceLampClicked(int lamp, int row, bool automatic) {
    if (automatic || lamp < 0 || lamp >= kChannels) return {};
    int& selected = selected_[row & 1];
    selected = selected == lamp ? -1 : lamp;
    return {true, selected_[kTx] + 1, selected_[kRx] + 1};
}

ChannelLamps::VoiceCommand ChannelLamps::AutoVoiceMonitor() {
    VoiceMonitorTracker::Lamps active{};
    for (int row = 0; row < 2; ++row)
        for (int j = 0; j < kChannels; ++j) active[row][j] = bLamps_[row][j] == kActive;
    tracker_.Update(active);
    if (!tracker_.TakeChanged()) return {};
    ClearVoice();
    return {true, tracker_.MostRecent(kTx), tracker_.MostRecent(kRx)};
}

void ChannelLamps::VoiceCommandDone(const VoiceCommand& command, bool sent) {
    if (!sent) {
        ClearVoice();
        return;
    }
    selected_ = {command.tx - 1, command.rx - 1};
}
