#include "app/MonitorTick.h"

void MonitorTick::Run(Device& device, View& view, MonitoringSession& session, const MonitorOptions& monitor) {
    if (firstTick_) {
        firstTick_ = false;
        if (device.Present()) device.ConnectStoredPort();
        view.ShowFirstTick();
    }
    if (!device.Present()) return;
    if (device.HasFailed()) {
        if (device.Vanished()) EndVanished(device, view, session, monitor);
        else view.PostSystemFault();
        return;
    }
    if (startPending_) StartUnattended(device, view);
    MonitorClockDialog* dialog = view.ClockDialog();
    if (dialog && dialog->IsOnScreen() && dialog->ClockTabPresent()) PollClock(device, view, *dialog);
    if (view.LampsShown()) {
        BChannelStatus status;
        if (device.AskChannelStatus(status)) view.RepaintLamps(status);
    }
    if (monitor.voiceAutomatic) view.AutoVoiceMonitor();
    TakeFrames(device, view, session, monitor);
}

void MonitorTick::TakeFrames(Device& device, View& view, MonitoringSession& session, const MonitorOptions& monitor) {
    view.CarryOut(session.Tick([&](FrameRecord& record) { return device.PopFrame(record); }, monitor,
                               view.TickCount(), [&] { return view.FreeDiskSpace(); }, view.FloatMessageShown()));
}

void MonitorTick::StartUnattended(Device& device, View& view) {
    if (!view.MayStartMonitoring()) return;
    // Started at boot, the adapter may not be there yet: no box, try again.
    if (!view.DeviceConnected() && ++waitedTicks_ % kRetryTicks == 0) device.ConnectStoredPort();
    if (!view.DeviceConnected()) return view.ShowWaitingForDevice();
    startPending_ = false;
    view.PressMonitorStart();
}

// What the device sent before it went away goes into the store and the
// log; the clock dialog closes as for a device that stopped answering; the
// link stays, closed, for a reconnection.
void MonitorTick::EndVanished(Device& device, View& view, MonitoringSession& session, const MonitorOptions& monitor) {
    TakeFrames(device, view, session, monitor);
    MonitorClockDialog* dialog = view.ClockDialog();
    if (dialog && dialog->IsOnScreen() && dialog->ClockTabPresent()) dialog->CloseAsCancelled();
    if (device.ReleaseVanished()) view.PostCommunicationFault();
}

void MonitorTick::PollClock(Device& device, View& view, MonitorClockDialog& dialog) {
    TimeStamp clock;
    if (device.AskClock(clock)) {
        dialog.ShowDeviceClock(clock);
    } else {
        dialog.CloseAsCancelled();
        view.PostCommunicationFault();
    }
    TimeStamp wanted;
    if (dialog.TakeClockRequest(wanted)) device.SetClock(wanted);
}
