#include "options/MonitorOptionsEditor.h"

#include <utility>

#include "options/ClockText.h"

MonitorOptionsEditor::MonitorOptionsEditor(std::vector<int> ports) : ports_(std::move(ports)) {
    port_ = ports_.empty() ? -1 : 0;
}

std::vector<std::string> MonitorOptionsEditor::PortNames() const {
    std::vector<std::string> names;
    for (int number : ports_) names.push_back("COM" + std::to_string(number));
    return names;
}

void MonitorOptionsEditor::Load(const MonitorOptions& record) {
    port_ = -1;
    for (size_t i = 0; i < ports_.size(); ++i)
        if (static_cast<int64_t>(ports_[i]) == static_cast<int64_t>(record.portIndex) + 1) {
            port_ = static_cast<int>(i);
            break;
        }
    voiceAutomatic_ = record.voiceAutomatic != 0;
    ringBuffer_ = record.ringBuffer != 0;
    logFile_ = record.logFile != 0;
    clockRequested_ = false;
}

void MonitorOptionsEditor::Store(MonitorOptions& record) const {
    if (port_ >= 0) record.portIndex = ports_[static_cast<size_t>(port_)] - 1;
    record.voiceAutomatic = voiceAutomatic_ ? 1 : 0;
    record.ringBuffer = ringBuffer_ ? 1 : 0;
    record.logFile = ringBuffer_ && logFile_ ? 1 : 0;
}

void MonitorOptionsEditor::ShowTabs(bool portTab, bool clockTab) {
    portTab_ = portTab;
    clockTab_ = clockTab;
    if (!clockTab) clockRequested_ = false;
}

bool MonitorOptionsEditor::RequestClock(const std::string& text) {
    // The clock sent is the one parsed now: later edits of the box, or a
    // text that no longer parses, cannot change it.
    clockRequested_ = ClockText::Parse(text, requestedClock_);
    return clockRequested_;
}

bool MonitorOptionsEditor::TakeClockRequest(TimeStamp& time) {
    if (!clockRequested_) return false;
    clockRequested_ = false;
    time = requestedClock_;
    return true;
}
