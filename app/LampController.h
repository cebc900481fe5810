#pragma once
// The channel lamps and the voice monitor: the lamp panel shown or hidden
// with the check mark of 情報, lamps repainted from the channel status, and
// the voice channel chosen by a click or, in automatic mode, by the lamps.
#include "device/BChannelStatus.h"
#include "device/ChannelLamps.h"
#include "options/DisplayOptions.h"
#include "options/OptionData.h"

class MainMenu;
class MonitoringController;
class QWidget;
class TLampPanel;

class LampController {
public:
    // The panel is made hidden under parent; colours are the window's copy
    // of the display options, kept current.
    LampController(QWidget& parent, const DisplayOptions& colours, OptionData& options,
                   MonitoringController& monitoring, MainMenu& menu);

    bool Shown() const { return shown_; }
    // The menu's 情報.
    void Toggle();
    // The panel and the check mark of 情報.
    void Show(bool shown);
    // The check mark alone (the device stopped answering).
    void Uncheck();
    void Repaint(const BChannelStatus& status);
    // Voice lamps cleared (the first tick).
    void ClearVoice();
    // Voice lamps cleared; clickable unless the voice monitor is automatic.
    void InitVoiceLamps();
    void VoiceLampClicked(int lamp, int row);
    void AutoVoiceMonitor();
    // New colours: lamps asked for afresh, the selected voice channels kept.
    void ColoursChanged();
    void Update();

    const ChannelLamps& Lamps() const { return lamps_; }
    TLampPanel* Panel() { return panel_; }

private:
    void Send(const ChannelLamps::VoiceCommand& command);

    OptionData& options_;
    MonitoringController& monitoring_;
    MainMenu& menu_;
    ChannelLamps lamps_;
    TLampPanel* panel_;
    bool shown_ = false;
};
