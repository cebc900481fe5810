#pragma once
// The steps of the main window's 100 ms timer, in their order: the first
// tick's connect, the receive thread's failure check (a device that went
// away is a communication fault, not a system fault), an unattended start,
// the device clock while the monitor options show it, the channel lamps,
// the automatic voice monitor and the take loop. It decides what runs; the
// device side and the window carry it out.
#include <cstdint>

#include "app/MonitoringSession.h"
#include "device/BChannelStatus.h"
#include "options/MonitorClockDialog.h"
#include "options/MonitorOptions.h"
#include "store/FrameRecord.h"
#include "store/TimeStamp.h"

class MonitorTick {
public:
    // What the steps ask of the device link.
    class Device {
    public:
        virtual ~Device() = default;
        // False once a system fault has taken the link down.
        virtual bool Present() const = 0;
        // Connects on the port of the monitor options, without messages.
        virtual void ConnectStoredPort() = 0;
        virtual bool HasFailed() const = 0;
        // The failure is a device that went away.
        virtual bool Vanished() const = 0;
        // Closes the vanished device's port, clearing the failure; true when
        // the window was connected to it and so reports it.
        virtual bool ReleaseVanished() = 0;
        virtual bool AskClock(TimeStamp& clock) = 0;
        virtual void SetClock(const TimeStamp& clock) = 0;
        virtual bool AskChannelStatus(BChannelStatus& status) = 0;
        virtual bool PopFrame(FrameRecord& record) = 0;
    };

    // What they ask of the window.
    class View {
    public:
        virtual ~View() = default;
        // The first tick: voice lamps cleared, the modes in the status bar.
        virtual void ShowFirstTick() = 0;
        virtual void PostSystemFault() = 0;
        virtual void PostCommunicationFault() = 0;
        virtual bool MayStartMonitoring() const = 0;
        // A device answered on the port of the options (user-interface state 1).
        virtual bool DeviceConnected() const = 0;
        // Presses ﾓﾆﾀｰ開始 as the menu would.
        virtual void PressMonitorStart() = 0;
        // The status bar says an unattended start waits for the device.
        virtual void ShowWaitingForDevice() = 0;
        // The monitor options dialog, when there is one.
        virtual MonitorClockDialog* ClockDialog() = 0;
        virtual bool LampsShown() const = 0;
        virtual void RepaintLamps(const BChannelStatus& status) = 0;
        virtual void AutoVoiceMonitor() = 0;
        virtual bool FloatMessageShown() const = 0;
        virtual void CarryOut(const MonitoringSession::Actions& actions) = 0;
        // The millisecond counter that paces the list (32-bit, wrapping).
        virtual uint32_t TickCount() const = 0;
        // Free bytes where the log files go.
        virtual int64_t FreeDiskSpace() const = 0;
    };

    // An unattended start asks a silent port again every 5 s.
    static constexpr int kRetryTicks = 50;

    void Run(Device& device, View& view, MonitoringSession& session, const MonitorOptions& monitor);
    // Presses ﾓﾆﾀｰ開始 on the first tick that allows it once a device
    // answers (an unattended start); until then no message, the port is
    // tried again every kRetryTicks ticks.
    void StartWhenConnected() { startPending_ = true; }

private:
    void StartUnattended(Device& device, View& view);
    void PollClock(Device& device, View& view, MonitorClockDialog& dialog);
    void TakeFrames(Device& device, View& view, MonitoringSession& session, const MonitorOptions& monitor);
    void EndVanished(Device& device, View& view, MonitoringSession& session, const MonitorOptions& monitor);

    bool firstTick_ = true;
    bool startPending_ = false;
    int waitedTicks_ = 0;
};
