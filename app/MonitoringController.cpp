#include "app/MonitoringController.h"

#include <chrono>
#include <thread>

#include "app/UiStates.h"
#include "base/Cp932.h"
#include "device/ComThread.h"
#include "device/DeviceControl.h"

MonitoringController::MonitoringController(FrameStore& store, OptionData& options, DeviceHost& host,
                                           Window& window)
    : options_(options), window_(window), session_(store), link_(std::make_unique<ComThread>()) {
    link_->Start();
    device_ = std::make_unique<DeviceControl>(*link_, host);
}

MonitoringController::~MonitoringController() { ShutDown(); }

int MonitoringController::StoredPort() const {
    MonitorOptions monitor;
    options_.GetMonitorOptions(monitor);
    return monitor.portIndex;
}

// The port tried is the one the options keep, so there is nothing to store.
void MonitoringController::ConnectStoredPort() {
    if (device_) device_->ConnectDevice(StoredPort(), false);
}

void MonitoringController::StartMonitoring() {
    if (!device_) return;
    device_->SetPort(StoredPort());
    if (!device_->IdentifyDevice(true)) return;
    MonitorOptions monitor;
    options_.GetMonitorOptions(monitor);
    session_.NewRun(monitor);
    window_.ShowNewRun();
    if (link_->StartMonitor()) {
        window_.SetUiState(UiStates::kMonitoring);
        window_.ShowMonitoring(true);
    }
}

void MonitoringController::StopMonitoring() {
    if (!link_) return;
    if (link_->StopMonitor()) {
        window_.SetUiState(UiStates::kConnected);
        window_.ShowMonitoring(false);
    }
    // The device needs a moment after the stop before it answers again.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    device_->SetPort(StoredPort());
    device_->IdentifyDevice(true);
}

void MonitoringController::OnCommunicationFault() {
    window_.SetUiState(UiStates::kNoDevice);
    window_.ShowError(VELK_SJIS("通信異常です。\n\nﾒｲﾝﾒﾆｭｰの「ﾓﾆﾀｰ(M)」→「ｵﾌﾟｼｮﾝ(O)」で\n"
                                "ﾌﾟﾛﾄｺﾙﾓﾆﾀが接続されているﾎﾟｰﾄを選択してください。"),
                      VELK_SJIS("異常"));
}

void MonitoringController::OnBufferFull() {
    // A load that fills the store says so too; only a run changes the state.
    if (window_.UiState() == UiStates::kMonitoring) {
        if (link_) link_->StopMonitor();
        window_.SetUiState(UiStates::kConnected);
        window_.ShowMonitoring(false);
    }
    window_.ShowWarning(VELK_SJIS("記憶できる件数を超えました。"), VELK_SJIS("バッファフル"));
}

void MonitoringController::OnSystemFault() {
    if (!link_) return;
    device_.reset();
    // Gone before anything else can fail, so this runs once.
    const std::unique_ptr<ComThread> link = std::move(link_);
    link->Stop();
    window_.SetUiState(UiStates::kSystemFaulted);
    window_.ShowSystemFault();
}

void MonitoringController::ShutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    if (!link_) return;
    link_->StopMonitor();
    device_->SelectVoiceMonitor(0, 0);
    device_.reset();
    link_->Stop();
    link_.reset();
}

bool MonitoringController::AskIdentity(std::string& identity) { return device_ && device_->AskIdentity(identity); }

bool MonitoringController::SelectVoiceMonitor(int txChannel, int rxChannel) {
    return device_ && device_->SelectVoiceMonitor(txChannel, rxChannel);
}

void MonitoringController::RequestChannelStatus() {
    if (link_) link_->RequestChannelStatus();
}

bool MonitoringController::HasFailed() const { return link_ && link_->HasFailed(); }

bool MonitoringController::Vanished() const { return link_ && link_->DeviceVanished(); }

// Without a connection there is nothing to report: the device was never
// found, or its loss has been reported already.
bool MonitoringController::ReleaseVanished() {
    return link_ && link_->ReleaseVanishedPort() && window_.UiState() != UiStates::kNoDevice;
}

bool MonitoringController::AskClock(TimeStamp& clock) { return device_ && device_->AskClock(clock); }

void MonitoringController::SetClock(const TimeStamp& clock) {
    if (link_) link_->SetDeviceClock(clock);
}

bool MonitoringController::AskChannelStatus(BChannelStatus& status) {
    return device_ && device_->AskChannelStatus(status);
}

bool MonitoringController::PopFrame(FrameRecord& record) { return link_ && link_->PopFrame(record); }
