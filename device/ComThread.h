#pragma once
// The device link: the receive thread that owns the serial port, polls it
// without blocking, turns frame lines into records in the capture queue and
// keeps the device's latest replies; and the commands the main window sends
// through it.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "device/BChannelStatus.h"
#include "device/CaptureQueue.h"
#include "device/DeviceKind.h"
#include "device/DeviceReplies.h"
#include "device/LineAssembler.h"
#include "device/LineDispatcher.h"
#include "device/SerialPort.h"
#include "store/FrameRecord.h"
#include "store/TimeStamp.h"

class ComThread {
public:
    static constexpr int kIdleSleepMs = 10;     // no complete line yet
    static constexpr int kNoPortSleepMs = 100;  // no open port
    static constexpr int kMaxVoiceChannel = 23;

    // Opens COM1 at 9600 bit/s (the result is in IsPortOpen) and stays
    // suspended until Start.
    ComThread();
    // Stops the loop and waits for it; the port closes.
    virtual ~ComThread();
    ComThread(const ComThread&) = delete;
    ComThread& operator=(const ComThread&) = delete;

    // Runs the receive loop; once only.
    void Start();
    // Sets the stop request and waits for the loop to end (within one sleep).
    void Stop();

    // Closes and opens portIndex with the given rate while the loop is held
    // off the port; false when the port did not open or the rate was refused.
    // A failure for a vanished device ends with the closing.
    bool Reopen(int portIndex, int baudCode);
    bool IsPortOpen() const { return portOpen_.load(); }
    // Closes the port of a vanished device and clears that failure; false
    // (and nothing changes) for any other state.
    bool ReleaseVanishedPort();

    // Commands; each false when the loop has failed or the port refused.
    bool StartMonitor();  // also discards frames still queued
    bool StopMonitor();
    bool RequestIdentity();
    bool RequestClock();
    bool SetDeviceClock(const TimeStamp& time);
    bool RequestChannelStatus();
    // Voice monitor of channel tx and rx (0 = none, 1..23); other numbers
    // send nothing.
    bool SelectVoiceChannels(int txChannel, int rxChannel);

    bool TakeIdentity(std::string& text) { return replies_.TakeIdentity(text); }
    bool TakeClock(TimeStamp& time) { return replies_.TakeClock(time); }
    bool TakeChannelStatus(BChannelStatus& status) { return replies_.TakeChannelStatus(status); }
    bool PopFrame(FrameRecord& record) { return queue_.TryPop(record); }
    bool HasFailed() const { return failed_.load(); }
    // The loop failed because the device went away (hung up, unplugged);
    // every complete line it sent before was handed over.
    bool DeviceVanished() const { return vanished_.load(); }
    DeviceKind Kind() const { return replies_.Kind(); }

    // Routes one received line (line feeds and carriage returns removed).
    LineDispatcher::LineKind Dispatch(const std::string& line) { return dispatcher_.Dispatch(line); }

    // The port's settings, for the thread that calls Reopen.
    const SerialPort& Port() const { return port_; }

protected:
    // Every received line goes through here; an error thrown from it ends
    // the loop as failed.
    virtual void HandleLine(const std::string& line) { Dispatch(line); }

private:
    void Execute();
    // One pass of the loop; false when it should sleep for `sleepMs`.
    bool Pass(int& sleepMs);
    void Sleep(int ms);
    bool SendCommand(const std::string& text);
    // With portMutex_ held.
    void ClosePort();

    SerialPort port_;
    // Held by the loop while it reads; Reopen takes it to keep the loop off
    // the port meanwhile.
    std::mutex portMutex_;
    std::atomic<bool> portOpen_{false};
    std::atomic<bool> failed_{false};
    std::atomic<bool> vanished_{false};
    std::atomic<bool> stopRequested_{false};
    std::mutex sleepMutex_;
    std::condition_variable wake_;
    std::thread thread_;
    bool started_ = false;

    CaptureQueue queue_;
    DeviceReplies replies_;
    LineDispatcher dispatcher_{queue_, replies_};
    LineAssembler pending_;
};
