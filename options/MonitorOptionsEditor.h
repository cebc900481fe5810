#pragma once
// What the monitor options dialog edits: the port chosen from the port
// list, the three switches, the device clock the user asked to set, and
// which tabs the user-interface state shows. The dialog only shows this.
#include <string>
#include <vector>

#include "options/MonitorOptions.h"
#include "store/TimeStamp.h"

class MonitorOptionsEditor {
public:
    // Port numbers (1 = COM1) in list order.
    explicit MonitorOptionsEditor(std::vector<int> ports = {});

    // "COM1", ... in list order.
    std::vector<std::string> PortNames() const;
    // The list entry of COM(portIndex + 1), or -1 (no port selected). A new
    // opening of the dialog: no clock request carries over into it.
    void Load(const MonitorOptions& record);
    // Port index from the selected entry (kept when none is); the log file
    // only together with the ring buffer.
    void Store(MonitorOptions& record) const;

    int PortSelection() const { return port_; }
    void SelectPort(int row) { port_ = row >= 0 && static_cast<size_t>(row) < ports_.size() ? row : -1; }
    bool VoiceAutomatic() const { return voiceAutomatic_; }
    bool RingBuffer() const { return ringBuffer_; }
    bool LogFile() const { return logFile_; }
    // The log file box is open only while the ring buffer is ticked.
    bool LogFileEnabled() const { return ringBuffer_; }
    void SetVoiceAutomatic(bool on) { voiceAutomatic_ = on; }
    void SetRingBuffer(bool on) { ringBuffer_ = on; }
    void SetLogFile(bool on) { logFile_ = on; }

    // "設定" with the text typed: a valid clock is kept to be sent; an
    // invalid one withdraws any request. False for an invalid text.
    bool RequestClock(const std::string& text);
    // The requested clock, once.
    bool TakeClockRequest(TimeStamp& time);
    // A request lives only as long as the dialog session it was made in:
    // sent late, it would set the device to a time long past.
    void DropClockRequest() { clockRequested_ = false; }

    bool PortTabShown() const { return portTab_; }
    bool ClockTabShown() const { return clockTab_; }
    // Hiding the device clock tab drops a pending request.
    void ShowTabs(bool portTab, bool clockTab);

private:
    std::vector<int> ports_;
    int port_ = -1;
    bool voiceAutomatic_ = false;
    bool ringBuffer_ = false;
    bool logFile_ = false;
    bool clockRequested_ = false;
    TimeStamp requestedClock_;
    bool portTab_ = true;
    bool clockTab_ = true;
};
