#pragma once
// The device link's life in the main window: the receive thread and the
// device procedures, the monitoring run, the timer's steps, and what the
// menu's monitor commands and the notifications do with them. The window
// carries out what it shows through Window.
#include <memory>
#include <string>

#include "app/MonitorTick.h"
#include "app/MonitoringSession.h"
#include "device/DeviceHost.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"

class ComThread;
class DeviceControl;

class MonitoringController : public MonitorTick::Device {
public:
    // What the monitor commands change in the window.
    class Window {
    public:
        virtual ~Window() = default;
        virtual int UiState() const = 0;
        virtual void SetUiState(int state) = 0;
        // Status panel 0: "Dchﾓﾆﾀｰ中" while a run takes frames, else empty.
        virtual void ShowMonitoring(bool on) = 0;
        // A new run began: no file name, the list counted afresh.
        virtual void ShowNewRun() = 0;
        // A modal box; text and caption CP932.
        virtual void ShowError(const std::string& text, const std::string& caption) = 0;
        virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
        // The system-fault dialog (memory or swap short).
        virtual void ShowSystemFault() = 0;
    };

    // The receive thread starts at once; nothing is connected until the
    // first tick.
    MonitoringController(FrameStore& store, OptionData& options, DeviceHost& host, Window& window);
    ~MonitoringController() override;

    // One timer tick; then the call feed tells its window what the tick's frames changed.
    void Tick(MonitorTick::View& view, const MonitorOptions& monitor) {
        tick_.Run(*this, view, session_, monitor);
        session_.Calls().Ticked();
    }
    void StartWhenConnected() { tick_.StartWhenConnected(); }

    // The menu's ﾓﾆﾀｰ開始 and ﾓﾆﾀｰ終了 (run only while the state allows them).
    void StartMonitoring();
    void StopMonitoring();
    // The notifications posted to the main window.
    void OnCommunicationFault();
    void OnBufferFull();
    void OnSystemFault();
    // The window closes: the run stops, the voice monitor is reset, the
    // link ends. Once only.
    void ShutDown();

    // The device's identification; false when it did not answer.
    bool AskIdentity(std::string& identity);
    bool SelectVoiceMonitor(int txChannel, int rxChannel);
    void RequestChannelStatus();

    // MonitorTick::Device.
    bool Present() const override { return link_ != nullptr; }
    void ConnectStoredPort() override;
    bool HasFailed() const override;
    bool Vanished() const override;
    bool ReleaseVanished() override;
    bool AskClock(TimeStamp& clock) override;
    void SetClock(const TimeStamp& clock) override;
    bool AskChannelStatus(BChannelStatus& status) override;
    bool PopFrame(FrameRecord& record) override;

    MonitoringSession& Session() { return session_; }
    const MonitoringSession& Session() const { return session_; }
    ComThread* Link() { return link_.get(); }
    DeviceControl* Device() { return device_.get(); }

private:
    int StoredPort() const;

    OptionData& options_;
    Window& window_;
    MonitoringSession session_;
    MonitorTick tick_;
    std::unique_ptr<ComThread> link_;
    std::unique_ptr<DeviceControl> device_;
    bool shutDown_ = false;
};
