#pragma once
// The state behind the channel lamp panel: per direction (TX, RX) the 23
// B-channel lamps, the D-channel lamp and the selected voice-monitor
// channel, with the tracker that the automatic voice monitor follows. The
// panel paints these states in the colours of the display options; the
// selection never depends on which colours those are.
#include <array>
#include <cstddef>
#include <cstdint>

#include "device/BChannelStatus.h"
#include "device/VoiceMonitorTracker.h"

class ChannelLamps {
public:
    static constexpr int kChannels = 23;
    static constexpr int kTx = 0;
    static constexpr int kRx = 1;

    // kUnknown: no status shown yet (the lamp is painted black).
    enum Lamp : uint8_t { kUnknown, kInactive, kActive, kLineFault };

    // A voice-monitor command to send: TX and RX channel 1..23, 0 = none.
    struct VoiceCommand {
        bool send = false;
        int tx = 0;
        int rx = 0;
    };

    Lamp BLamp(int row, int index) const { return bLamps_[row & 1][static_cast<size_t>(index)]; }
    Lamp DLamp(int row) const { return dLamps_[row & 1]; }
    // Voice lamp index 0..22 is active when it is its row's selected channel.
    Lamp VoiceLamp(int row, int index) const {
        return index == selected_[row & 1] ? kActive : kInactive;
    }
    // Index 0..22 of the row's selected voice channel, -1 for none.
    int SelectedVoice(int row) const { return selected_[row & 1]; }

    // Per row: B lamps active or inactive by channel while the line is in
    // order, all in line fault otherwise; the D lamp by its flag either way.
    void Repaint(const BChannelStatus& status);
    // No voice channel selected in either row.
    void ClearVoice() { selected_ = {-1, -1}; }
    void ResetTracker() { tracker_.Reset(); }

    // Manual selection by a click on voice lamp `lamp` of `row`: a lamp not
    // selected becomes the row's selection, the selected one clears it.
    // Nothing happens in automatic mode or for a lamp outside 0..22.
    VoiceCommand VoiceLampClicked(int lamp, int row, bool automatic);
    // Automatic selection, every tick: the tracker follows the B lamps; when
    // they changed, the selection is cleared and the newest busy channel of
    // each row is to be sent.
    VoiceCommand AutoVoiceMonitor();
    // The outcome of sending command: the selection shows what was sent, or
    // nothing when it could not be sent.
    void VoiceCommandDone(const VoiceCommand& command, bool sent);

    const VoiceMonitorTracker& Tracker() const { return tracker_; }

private:
    std::array<std::array<Lamp, kChannels>, 2> bLamps_{};
    std::array<Lamp, 2> dLamps_{};
    std::array<int, 2> selected_{-1, -1};
    VoiceMonitorTracker tracker_;
};
