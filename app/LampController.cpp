#include "app/LampController.h"

#include "app/MainMenu.h"
#include "app/MonitoringController.h"
#include "app/TLampPanel.h"

LampController::LampController(QWidget& parent, const DisplayOptions& colours, OptionData& options,
                               MonitoringController& monitoring, MainMenu& menu)
    : options_(options), monitoring_(monitoring), menu_(menu), panel_(new TLampPanel(lamps_, colours, &parent)) {
    panel_->hide();
    lamps_.ResetTracker();
}

void LampController::Toggle() {
    if (!shown_) {
        Show(true);
        lamps_.ResetTracker();
        InitVoiceLamps();
        monitoring_.RequestChannelStatus();
    } else {
        Show(false);
        monitoring_.SelectVoiceMonitor(0, 0);
    }
}

void LampController::Show(bool shown) {
    shown_ = shown;
    menu_.SetChecked(UiStates::kInfo, shown);
    panel_->setVisible(shown);
}

void LampController::Uncheck() {
    shown_ = false;
    menu_.SetChecked(UiStates::kInfo, false);
}

void LampController::Repaint(const BChannelStatus& status) {
    lamps_.Repaint(status);
    panel_->update();
}

void LampController::ClearVoice() {
    lamps_.ClearVoice();
    panel_->update();
}

void LampController::InitVoiceLamps() {
    MonitorOptions m;
    options_.GetMonitorOptions(m);
    lamps_.ClearVoice();
    panel_->SetVoiceClickable(m.voiceAutomatic == 0);
    panel_->update();
}

void LampController::VoiceLampClicked(int lamp, int row) {
    MonitorOptions m;
    options_.GetMonitorOptions(m);
    Send(lamps_.VoiceLampClicked(lamp, row, m.voiceAutomatic != 0));
}

void LampController::AutoVoiceMonitor() { Send(lamps_.AutoVoiceMonitor()); }

void LampController::Send(const ChannelLamps::VoiceCommand& command) {
    if (!command.send) return;
    lamps_.VoiceCommandDone(command, monitoring_.SelectVoiceMonitor(command.tx, command.rx));
    panel_->update();
}

void LampController::ColoursChanged() {
    if (shown_) monitoring_.RequestChannelStatus();
    panel_->update();
}

void LampController::Update() { panel_->update(); }
