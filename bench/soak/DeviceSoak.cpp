// Whole-process soak of the device link: velksim sending as fast as the
// line takes frames, ComThread receiving over the pseudo-terminal, and the
// frames taken from the queue every 100 ms as the main window's timer does.
// Every frame is checked against the simulator's sequence for its seed.
//
//   velk_soak [seconds]   (default 60)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "device/ComThread.h"
#include "sim/TrafficGenerator.h"
#include "tests/support/VelksimProcess.h"

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 60;
    const uint64_t seed = 77;
    VelksimProcess sim;
    if (!sim.Start(1, {"--seed", std::to_string(seed), "--rate-fps", "0", "--quiet"})) {
        std::fprintf(stderr, "velk_soak: velksim did not start\n");
        return 2;
    }
    ComThread link;  // opens COM1, the simulator's port, at 9600
    link.Start();
    if (!link.IsPortOpen() || !link.StartMonitor()) {
        std::fprintf(stderr, "velk_soak: cannot reach the simulator\n");
        return 2;
    }

    using Clock = std::chrono::steady_clock;
    TrafficGenerator expected(seed);
    uint64_t received = 0, altered = 0;
    FrameRecord record;
    SimFrame frame;
    const auto start = Clock::now();
    const auto end = start + std::chrono::seconds(seconds);
    auto nextTick = start;
    while (Clock::now() < end) {
        nextTick += std::chrono::milliseconds(100);
        std::this_thread::sleep_until(nextTick);
        while (link.PopFrame(record)) {
            expected.Next(frame);
            bool same = record.Direction() == frame.direction &&
                        record.Length() == frame.octets.size() + 2 &&
                        std::equal(frame.octets.begin(), frame.octets.end(), record.Bytes() + 1);
            if (!same) ++altered;
            ++received;
        }
    }
    const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    link.StopMonitor();
    link.Stop();
    sim.Stop();
    std::printf("frames %llu in %.1f s: %.0f frames/s; altered or lost %llu; link failed %s\n",
                static_cast<unsigned long long>(received), elapsed, received / elapsed,
                static_cast<unsigned long long>(altered), link.HasFailed() ? "yes" : "no");
    return altered == 0 && !link.HasFailed() ? 0 : 1;
}
