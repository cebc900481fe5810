#include "tools/CaptureCommand.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "base/FileIo.h"
#include "store/TraceText.h"
#include "tools/DeviceCapture.h"

int CaptureCommand::Run(const Settings& settings, const std::atomic<bool>& stop) {
    int out = STDOUT_FILENO;
    if (!settings.output.empty()) {
        out = ::open(settings.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (out < 0) {
            std::fprintf(stderr, "velkdump: cannot create %s\n", settings.output.c_str());
            return 2;
        }
    }
    // Numbered from 0, so the output is a trace file without a header line.
    int result = DeviceCapture::Run({settings.comNumber, settings.count, true, "velkdump"},
                                    [out](const FrameRecord& r) { return FileIo::WriteAll(out, TraceText::RecordText(r)); },
                                    stop);
    if (out != STDOUT_FILENO && ::close(out) != 0 && result == 0) result = 2;
    return result;
}
