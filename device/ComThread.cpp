#include "device/ComThread.h"

#include <chrono>
#include <cstdio>

ComThread::ComThread() {
    const uint8_t cr = 0x0D;
    port_.SetTerminator(&cr, 1);
    portOpen_ = port_.Open(0);
}

ComThread::~ComThread() { Stop(); }

void ComThread::Start() {
    if (started_) return;
    started_ = true;
    try {
        thread_ = std::thread(&ComThread::Execute, this);
    } catch (...) {
        failed_ = true;  // no thread: the timer reports it as a system fault
    }
}

void ComThread::Stop() {
    {
        std::lock_guard<std::mutex> lock(sleepMutex_);
        stopRequested_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void ComThread::Sleep(int ms) {
    std::unique_lock<std::mutex> lock(sleepMutex_);
    wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopRequested_.load(); });
}

void ComThread::Execute() {
    while (!stopRequested_) {
        int sleepMs = 0;
        try {
            if (Pass(sleepMs)) continue;
        } catch (...) {
            failed_ = true;
            pending_.Clear();
            return;
        }
        Sleep(sleepMs);
    }
}

bool ComThread::Pass(int& sleepMs) {
    uint8_t buffer[SerialPort::kReadChunk] = {};
    size_t got;
    {
        std::lock_guard<std::mutex> lock(portMutex_);
        if (!portOpen_) {
            sleepMs = kNoPortSleepMs;
            return false;
        }
        got = port_.ReadLine(buffer, sizeof buffer);
        if (got == 0 && port_.Vanished()) {
            // Every complete line has been handed out: the loop fails and,
            // as without a port, reads no more until the port is closed.
            portOpen_ = false;
            vanished_ = true;
            failed_ = true;
            port_.DiscardQueued();
            pending_.Clear();
            sleepMs = kNoPortSleepMs;
            return false;
        }
    }
    if (got == 0) {
        sleepMs = kIdleSleepMs;
        return false;
    }
    pending_.Append(buffer, got);
    std::string line;
    if (pending_.NextLine(line)) HandleLine(line);
    return true;
}

void ComThread::ClosePort() {
    port_.Close();
    portOpen_ = false;
    if (vanished_.exchange(false)) failed_ = false;
}

bool ComThread::ReleaseVanishedPort() {
    std::lock_guard<std::mutex> lock(portMutex_);
    if (!vanished_) return false;
    ClosePort();
    return true;
}

bool ComThread::Reopen(int portIndex, int baudCode) {
    std::lock_guard<std::mutex> lock(portMutex_);
    ClosePort();
    bool opened = port_.Open(portIndex);
    portOpen_ = opened;
    return opened ? port_.SetBaudCode(baudCode) : false;
}

bool ComThread::SendCommand(const std::string& text) {
    if (failed_) return false;
    return port_.Send(text);
}

bool ComThread::StartMonitor() {
    if (failed_) return false;
    queue_.Clear();
    return SendCommand("S");
}

bool ComThread::StopMonitor() { return SendCommand("E"); }
bool ComThread::RequestIdentity() { return SendCommand("V"); }
bool ComThread::RequestClock() { return SendCommand("T"); }
bool ComThread::SetDeviceClock(const TimeStamp& time) { return SendCommand("T " + time.Format()); }
bool ComThread::RequestChannelStatus() { return SendCommand("I"); }

bool ComThread::SelectVoiceChannels(int txChannel, int rxChannel) {
    if (txChannel < 0 || txChannel > kMaxVoiceChannel || rxChannel < 0 ||
        rxChannel > kMaxVoiceChannel)
        return false;
    char text[16];
    std::snprintf(text, sizeof text, "M %02d,%02d", rxChannel, txChannel);
    return SendCommand(text);
}
