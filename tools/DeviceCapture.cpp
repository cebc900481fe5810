#include "tools/DeviceCapture.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "device/ComThread.h"
#include "device/DeviceControl.h"
#include "tools/StderrHost.h"

int DeviceCapture::Run(const Settings& settings, const Sink& sink, const std::atomic<bool>& stop) {
    StderrHost host;
    ComThread link;
    link.Start();
    DeviceControl control(link, host);
    control.SetRateFallback(settings.rateFallback);

    int result = 0;
    if (!control.ConnectDevice(settings.comNumber - 1, true)) {
        result = 1;
    } else if (!link.StartMonitor()) {
        std::fprintf(stderr, "%s: the device did not take the start command\n", settings.tool);
        result = 1;
    } else {
        uint64_t taken = 0;
        FrameRecord record;
        auto more = [&] { return settings.count == 0 || taken < settings.count; };
        // Numbered as the program numbers a run, from 0.
        while (result == 0 && !stop.load() && more()) {
            // Asked before the queue is emptied, so that every frame that
            // came before a failure is written.
            const bool failed = link.HasFailed();
            bool any = false;
            while (result == 0 && more() && link.PopFrame(record)) {
                record.SetIndex(static_cast<int32_t>(taken++));
                if (!sink(record)) {
                    std::fprintf(stderr, "%s: write error\n", settings.tool);
                    result = 2;
                }
                any = true;
            }
            if (result == 0 && failed && more()) {
                if (link.DeviceVanished())
                    std::fprintf(stderr, "%s: the capture device on COM%d stopped answering (it went away); "
                                 "%llu frames written\n", settings.tool, settings.comNumber,
                                 static_cast<unsigned long long>(taken));
                else
                    std::fprintf(stderr, "%s: the receive thread failed\n", settings.tool);
                result = 1;
            }
            if (!any) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        link.StopMonitor();
        control.SelectVoiceMonitor(0, 0);
    }
    link.Stop();
    return result;
}
