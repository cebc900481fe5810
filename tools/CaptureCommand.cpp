#include "tools/CaptureCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "base/FileIo.h"
#include "base/DataFolder.h"
#include "device/ComThread.h"
#include "device/DeviceControl.h"
#include "options/OptionData.h"
#include "store/TraceText.h"
#include "tools/StderrHost.h"


int CaptureCommand::Run(const Settings& settings, const std::atomic<bool>& stop) {
    int out = STDOUT_FILENO;
    if (!settings.output.empty()) {
        out = ::open(settings.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (out < 0) {
            std::fprintf(stderr, "velkdump: cannot create %s\n", settings.output.c_str());
            return 2;
        }
    }

    // The tool never writes velk.opt: the port it connects to stays in memory.
    OptionData options(DataFolder::Path() + "velk.opt", OptionData::kReadOnly);
    StderrHost host;
    ComThread link;
    link.Start();
    DeviceControl control(link, options, host);

    int result = 0;
    if (!control.ConnectDevice(settings.comNumber - 1, true)) {
        result = 1;
    } else if (!link.StartMonitor()) {
        std::fprintf(stderr, "velkdump: the device did not take the start command\n");
        result = 1;
    } else {
        uint64_t taken = 0;
        FrameRecord record;
        // Numbered as the program numbers a run, from 0, so the output is a
        // trace file without a header line.
        while (!stop.load() && (settings.count == 0 || taken < settings.count)) {
            bool any = false;
            while ((settings.count == 0 || taken < settings.count) && link.PopFrame(record)) {
                record.SetIndex(static_cast<int32_t>(taken++));
                if (!FileIo::WriteAll(out, TraceText::RecordText(record))) {
                    std::fprintf(stderr, "velkdump: write error\n");
                    result = 2;
                    break;
                }
                any = true;
            }
            if (result != 0) break;
            if (link.HasFailed()) {
                std::fprintf(stderr, "velkdump: the receive thread failed\n");
                result = 1;
                break;
            }
            if (!any) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        link.StopMonitor();
        control.SelectVoiceMonitor(0, 0);
    }
    link.Stop();
    if (out != STDOUT_FILENO && ::close(out) != 0 && result == 0) result = 2;
    return result;
}
