#pragma once
// The capture device's side of the serial line: cuts the host's commands,
// echoes and answers them, keeps the clock and the monitoring state, and
// while monitoring puts frame lines and channel status lines on the line.
// It knows nothing of file descriptors: the caller feeds it the host's
// bytes and writes out what it produced.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "sim/DeviceClock.h"
#include "sim/FrameSource.h"

class DeviceEmulator {
public:
    enum Model { kRq730, kTessaro };
    struct Settings {
        Model model = kRq730;
        int framesPerSecond = 20;  // 0: as fast as the line takes them
        uint64_t countLimit = 0;   // frames per monitoring run; 0: no limit
        uint64_t vanishAfter = 0;  // frames in all before the device goes away; 0: never
    };
    using Log = std::function<void(const std::string&)>;

    // Longest host line taken; longer lines are dropped whole.
    static constexpr size_t kMaxHostLine = 128;
    // Frames wait while this much output is still unsent.
    static constexpr size_t kHighWater = 4096;

    DeviceEmulator(const Settings& settings, FrameSource& source, Log log);

    // Bytes the host sent at the right line rate.
    void Receive(const char* data, size_t n, int64_t steadyMs);
    // Appends the frame and status lines due at steadyMs. Returns the
    // milliseconds until something more falls due by the clock, -1 when
    // nothing will until a command comes. Frames held back because the line
    // has not taken the output yet are due as soon as it does: the caller
    // waits for the line to become writable as well.
    int Produce(int64_t steadyMs);

    const char* PendingData() const { return out_.data() + sent_; }
    size_t PendingSize() const { return out_.size() - sent_; }
    void Consumed(size_t n);
    // The host's line rate differs from ours: output not yet begun is lost;
    // a line already half on the line is finished so the host stays in step.
    void DropUnsent();
    // Host bytes at a wrong rate are garbage: a line being cut is dropped too.
    void DropPartialInput() { inLine_.clear(); overflow_ = false; }

    bool Monitoring() const { return monitoring_; }
    uint64_t FramesSent() const { return framesSent_; }
    // The last frame before going away has been sent: no more come.
    bool Vanishing() const { return settings_.vanishAfter != 0 && framesSent_ >= settings_.vanishAfter; }
    DeviceClock& Clock() { return clock_; }
    std::string Identification() const;

private:
    void HandleLine(std::string_view line, int64_t steadyMs);
    void SendNextFrame(int64_t steadyMs);
    void Echo(char command);
    void AppendStatus(int direction);
    void AppendStatusLines();
    void StartMonitoring(int64_t steadyMs);
    void StopMonitoring(const char* why);
    void SetClock(std::string_view text, int64_t steadyMs);
    void VoiceMonitor(std::string_view text, std::string_view raw);
    void Note(const std::string& text) const;

    Settings settings_;
    FrameSource& source_;
    Log log_;
    DeviceClock clock_;

    std::string inLine_;
    bool overflow_ = false;
    std::string out_;
    size_t sent_ = 0;
    bool atLineStart_ = true;  // the host has seen whole lines only

    bool monitoring_ = false;
    bool sourceDone_ = false;
    int64_t runStartMs_ = 0;
    uint64_t runFrames_ = 0;
    uint64_t paceBase_ = 0;  // frames of this run before runStartMs_ was last moved
    int64_t nextStatusMs_ = 0;
    uint32_t statusMask_[2] = {0, 0};
    uint64_t framesSent_ = 0;
    SimFrame frame_;
};
