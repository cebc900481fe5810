// Whole-process soak of live capture: velksim sending at a high frame rate
// to the main window, which monitors with ring buffer and log files on
// under the offscreen platform, its call list and findings window open.
// Afterwards every log file is read back: each INDEX must be there once, in
// order, with the octets the simulator sent, every frame that counts for
// the calls must be in one of the calls the window lists, and the findings
// window must list every finding held. Reports the timer tick's duration
// percentiles.
//
//   velk_monitor_soak [seconds] [frames per second] [nocalls]
//   (default 60, 5000, the call list and the findings window open)
#include <QApplication>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/TMainForm.h"
#include "calls/CallListCommand.h"
#include "calls/CallMessage.h"
#include "calls/TCallListWindow.h"
#include "checks/FindingsCommand.h"
#include "checks/TFindingsWindow.h"
#include "options/OptionData.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/VelksimProcess.h"

namespace fs = std::filesystem;

namespace {

struct LogCheck {
    uint64_t frames = 0, wrong = 0, files = 0, badHeaders = 0;
    uint64_t callFrames = 0;  // frames that count for the calls
};

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads the log files in INDEX order and compares every record with the
// simulator's sequence for the seed.
LogCheck CheckLogs(const std::string& folder, uint64_t seed) {
    struct File {
        long first;
        std::string text;
    };
    std::vector<File> files;
    for (const auto& e : fs::directory_iterator(folder)) {
        if (e.path().extension() != ".log") continue;
        std::string text = ReadWholeFile(e.path().string());
        long first = 0;
        if (text.rfind("INDEX=", 0) == 0) first = std::strtol(text.c_str() + 6, nullptr, 10);
        files.push_back({first, std::move(text)});
    }
    std::sort(files.begin(), files.end(), [](const File& a, const File& b) { return a.first < b.first; });
    LogCheck check;
    TrafficGenerator expected(seed);
    SimFrame frame;
    std::vector<uint8_t> octets;
    int direction = -1;
    auto finish = [&] {
        if (direction < 0) return;
        expected.Next(frame);
        if (frame.direction != direction || frame.octets != octets) ++check.wrong;
        ++check.frames;
        std::vector<uint8_t> bytes{0x7E};
        bytes.insert(bytes.end(), octets.begin(), octets.end());
        bytes.push_back(0x7E);
        FrameRecord record(static_cast<uint8_t>(direction));
        record.SetBytes(bytes.data(), bytes.size());
        if (CallMessage(record).Counts()) ++check.callFrames;
        octets.clear();
        direction = -1;
    };
    for (const File& f : files) {
        ++check.files;
        if (f.first != static_cast<long>(check.frames)) ++check.badHeaders;
        size_t pos = 0;
        while (pos < f.text.size()) {
            size_t end = f.text.find("\r\n", pos);
            if (end == std::string::npos) end = f.text.size();
            std::string line = f.text.substr(pos, end - pos);
            pos = end + 2;
            if (line.rfind("INDEX=", 0) == 0) continue;
            size_t hex = 0;
            if (line.size() >= 16 && (line[0] == 'T' || line[0] == 'R') && line[1] == 'X' && line[2] == '[') {
                finish();
                direction = line[0] == 'R' ? 1 : 0;
                hex = 16;
            }
            for (; hex + 1 < line.size(); hex += 2)
                octets.push_back(static_cast<uint8_t>(HexValue(line[hex]) * 16 + HexValue(line[hex + 1])));
        }
        finish();
    }
    return check;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const int fps = argc > 2 ? std::atoi(argv[2]) : 5000;
    const bool calls = !(argc > 3 && std::string(argv[3]) == "nocalls");
    const uint64_t seed = 77;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    VelksimProcess sim;
    if (!sim.Start(1, {"--seed", std::to_string(seed), "--rate-fps", std::to_string(fps), "--quiet"})) {
        std::fprintf(stderr, "velk_monitor_soak: velksim did not start\n");
        return 2;
    }
    char dir[] = "/tmp/velksoakXXXXXX";
    const std::string folder = std::string(mkdtemp(dir)) + "/";
    {
        OptionData options(folder + "velk.opt");
        MonitorOptions m = OptionData::DefaultMonitorOptions();
        m.ringBuffer = 1;
        m.logFile = 1;
        options.SetMonitorOptions(m);
    }
    QApplication app(argc, argv);
    TMainFormSetup setup;
    setup.optionFile = folder + "velk.opt";
    setup.logFolder = folder;
    TMainForm form(setup);
    form.resize(900, 700);
    form.show();

    std::vector<double> ticks;
    bool running = false;
    uint32_t lastIndex = 0;
    form.onTickDone = [&](double ms) {
        if (running) ticks.push_back(ms);
    };
    // Starts once the first tick has found the device; stops after the run.
    QTimer starter;
    starter.setInterval(200);
    QObject::connect(&starter, &QTimer::timeout, [&] {
        if (form.CurrentUiState() != UiStates::kConnected) return;
        starter.stop();
        form.StartMonitoring();
        running = form.CurrentUiState() == UiStates::kMonitoring;
        if (calls) form.Menu().callList->trigger(), form.Menu().findings->trigger();
        if (!running) {
            app.exit(3);
            return;
        }
        QTimer::singleShot(seconds * 1000, [&] {
            running = false;
            lastIndex = form.Store().NextIndex();
            form.StopMonitoring();
            app.exit(0);
        });
    });
    starter.start();
    QTimer::singleShot((seconds + 20) * 1000, [&] { app.exit(4); });
    const int rc = app.exec();
    const bool logging = form.Store().IsLogging();
    const uint32_t logged = form.Store().LoggedIndex();
    // The calls as the window lists them once the last tick is in.
    const CallTracker& tracker = form.Calls()->Tracker();
    uint64_t callFrames = 0;
    for (const CallRecord& call : tracker) callFrames += call.frames;
    TCallListWindow* window = form.Commands().Get<CallListCommand>().Window();
    const size_t rows = window ? static_cast<size_t>(window->Model().rowCount()) : 0;
    const FindingLog& findings = form.Checks()->Findings();
    TFindingsWindow* findingsWindow = form.Commands().Get<FindingsCommand>().Window();
    const size_t findingRows = findingsWindow ? static_cast<size_t>(findingsWindow->Model().rowCount()) : 0;
    const size_t held = findings.Count(), errors = findings.CountOf(Severity::kError),
                 warnings = findings.CountOf(Severity::kWarning);
    // Which checks raised the errors and warnings, for a look at simulated traffic.
    std::map<std::string, size_t> graver;
    for (const Finding& f : findings)
        if (f.severity != Severity::kInfo) ++graver[CheckKind::Code(f.check)];
    form.close();
    sim.Stop();
    if (rc != 0) {
        std::fprintf(stderr, "velk_monitor_soak: the run did not complete (%d)\n", rc);
        return 2;
    }

    LogCheck check = CheckLogs(folder, seed);
    std::sort(ticks.begin(), ticks.end());
    auto pct = [&](double p) {
        return ticks.empty() ? 0.0 : ticks[std::min(ticks.size() - 1, static_cast<size_t>(p * ticks.size()))];
    };
    std::printf("frames %u in %d s (%.0f frames/s, asked %d); logged %u, logging %s\n", lastIndex, seconds,
                double(lastIndex) / seconds, fps, logged, logging ? "on" : "forced off");
    std::printf("log files %llu holding %llu frames; wrong or out of order %llu; bad headers %llu\n",
                static_cast<unsigned long long>(check.files), static_cast<unsigned long long>(check.frames),
                static_cast<unsigned long long>(check.wrong), static_cast<unsigned long long>(check.badHeaders));
    std::printf("timer ticks %zu: p50 %.2f ms, p90 %.2f ms, p99 %.2f ms, max %.2f ms\n", ticks.size(), pct(0.5),
                pct(0.9), pct(0.99), ticks.empty() ? 0.0 : ticks.back());
    // Every counted frame is in one call; no call was let go, and the window lists each.
    const bool callsOk = !calls || (callFrames == check.callFrames && tracker.FirstNumber() == 1 &&
                                    rows == tracker.Count() && findingRows == held);
    if (calls)
        std::printf("call list: %zu calls listed of %zu held, holding %llu of the %llu frames that count\n", rows,
                    tracker.Count(), static_cast<unsigned long long>(callFrames),
                    static_cast<unsigned long long>(check.callFrames));
    if (calls) {
        std::printf("findings: %zu listed of %zu held (%zu errors, %zu warnings)", findingRows, held, errors, warnings);
        for (const auto& [code, count] : graver) std::printf(" %s %zu", code.c_str(), count);
        std::printf("\n");
    }
    fs::remove_all(folder);
    const bool ok = logging && check.wrong == 0 && check.badHeaders == 0 && check.frames == logged &&
                    logged >= lastIndex && pct(0.99) <= 50.0 && callsOk;
    std::printf("%s\n", ok ? "PASS" : "FAIL");
    return ok ? 0 : 1;
}
