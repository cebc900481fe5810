#include "sim/DeviceEmulator.h"

#include <algorithm>
#include <cstdio>

#include "sim/FrameText.h"

namespace {

// Characters 2..15 of a Tessaro status line, in front of the channel field.
constexpr std::string_view kTessaroStatusHead = " PRI-JT 1544K ";

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    return s;
}

// A decimal number of one to three digits at s[pos]; pos moves past it.
bool ReadNumber(std::string_view s, size_t& pos, int& value) {
    size_t start = pos;
    value = 0;
    while (pos < s.size() && pos - start < 3 && s[pos] >= '0' && s[pos] <= '9')
        value = value * 10 + (s[pos++] - '0');
    return pos > start;
}

}  // namespace

DeviceEmulator::DeviceEmulator(const Settings& settings, FrameSource& source, Log log)
    : settings_(settings), source_(source), log_(std::move(log)) {
    clock_.Set(DeviceClock::LocalTimeOfDayMs(), DeviceClock::SteadyMs());
}

std::string DeviceEmulator::Identification() const {
    return settings_.model == kTessaro ? "Tessaro Ver2.10 PRI-JT velksim"
                                       : "RQ-730 Ver1.03 PRI-JT velksim";
}

void DeviceEmulator::Note(const std::string& text) const {
    if (log_) log_(text);
}

void DeviceEmulator::Receive(const char* data, size_t n, int64_t steadyMs) {
    for (size_t i = 0; i < n; ++i) {
        char c = data[i];
        if (c == '\r') {
            if (!overflow_) HandleLine(inLine_, steadyMs);
            inLine_.clear();
            overflow_ = false;
        } else if (c == '\n') {
            continue;
        } else if (inLine_.size() < kMaxHostLine) {
            inLine_.push_back(c);
        } else {
            overflow_ = true;
        }
    }
}

void DeviceEmulator::Echo(char command) {
    out_.push_back(command);
    out_.push_back('\r');
}

void DeviceEmulator::HandleLine(std::string_view raw, int64_t steadyMs) {
    std::string_view line = TrimBlanks(raw);
    if (line.empty()) return;
    const char command = line[0];
    const std::string_view rest = TrimBlanks(line.substr(1));
    switch (command) {
    case 'S':
        if (!rest.empty()) return;
        Echo('S');
        StartMonitoring(steadyMs);
        return;
    case 'E':
        if (!rest.empty()) return;
        Echo('E');
        if (monitoring_) StopMonitoring("stop command");
        return;
    case 'V':
        if (!rest.empty()) return;
        Echo('V');
        out_.append(Identification());
        out_.push_back('\r');
        return;
    case 'T':
        if (line.size() > 1 && line[1] != ' ' && line[1] != '\t') return;
        Echo('T');
        if (rest.empty()) {
            out_.append(FrameText::Bracketed(clock_.At(steadyMs)));
            out_.push_back('\r');
        } else {
            SetClock(rest, steadyMs);
        }
        return;
    case 'I':
        if (!rest.empty()) return;
        Echo('I');
        AppendStatusLines();
        return;
    case 'R':
        if (!rest.empty()) return;
        Echo('R');
        return;
    case 'M':
        Echo('M');
        VoiceMonitor(rest, raw);
        return;
    default:
        return;  // not a command of this device
    }
}

void DeviceEmulator::SetClock(std::string_view text, int64_t steadyMs) {
    TimeStamp time;
    std::string bracketed;
    bracketed.push_back('[');
    bracketed.append(text);
    bracketed.push_back(']');
    if (text.size() != 12 || !time.Parse(bracketed) || time.Hours() > 23) {
        Note("clock not set: bad time");
        return;
    }
    clock_.Set(time, steadyMs);
    Note("clock set to " + time.Format());
}

void DeviceEmulator::VoiceMonitor(std::string_view text, std::string_view raw) {
    // " rr,tt": the RX channel first, then the TX channel.
    size_t pos = 0;
    int rx = 0, tx = 0;
    if (!ReadNumber(text, pos, rx) || pos >= text.size() || text[pos] != ',' ||
        !ReadNumber(text, ++pos, tx) || pos != text.size() || rx > 23 || tx > 23) {
        Note("voice monitor: bad selection \"" + std::string(raw) + "\"");
        return;
    }
    // The command as received, so a host's exact text can be checked.
    char buf[64];
    std::snprintf(buf, sizeof buf, "\": RX %02d, TX %02d", rx, tx);
    Note("voice monitor \"" + std::string(raw) + buf);
}

void DeviceEmulator::AppendStatus(int direction) {
    out_.push_back('S');
    out_.push_back(direction == 0 ? 'T' : 'R');
    if (settings_.model == kTessaro) out_.append(kTessaroStatusHead); else out_.push_back(' ');
    const uint32_t mask = source_.ChannelMask(direction);
    for (int ch = 0; ch < 23; ++ch) out_.push_back(mask & (1u << ch) ? '1' : '0');
    out_.append("1 1\r");  // D channel active, line normal
    statusMask_[direction] = mask;
}

void DeviceEmulator::AppendStatusLines() {
    AppendStatus(0);
    AppendStatus(1);
}

void DeviceEmulator::StartMonitoring(int64_t steadyMs) {
    if (!monitoring_) Note("monitoring started");
    monitoring_ = true;
    runStartMs_ = steadyMs;
    runFrames_ = 0;
    paceBase_ = 0;
    nextStatusMs_ = steadyMs;
}

void DeviceEmulator::StopMonitoring(const char* why) {
    monitoring_ = false;
    Note(std::string("monitoring stopped: ") + why + ", " + std::to_string(framesSent_) +
         " frames sent in all");
}

void DeviceEmulator::SendNextFrame(int64_t steadyMs) {
    if (!source_.Next(frame_)) {
        sourceDone_ = true;
        Note("no more frames to send");
        return;
    }
    FrameText::AppendLine(out_, frame_.direction, clock_.At(steadyMs), frame_.octets);
    ++runFrames_;
    ++framesSent_;
    // Status lines follow every change of a call's B channel.
    if (source_.ChannelMask(0) != statusMask_[0] || source_.ChannelMask(1) != statusMask_[1])
        AppendStatusLines();
    if (settings_.countLimit != 0 && runFrames_ >= settings_.countLimit) StopMonitoring("count reached");
    else if (Vanishing()) StopMonitoring("about to vanish");
}

int DeviceEmulator::Produce(int64_t steadyMs) {
    if (!monitoring_ || Vanishing()) return -1;
    // Status lines about once a second, unless the line has stopped taking
    // output (the host closed the port): they would pile up without end.
    if (steadyMs >= nextStatusMs_) {
        if (PendingSize() < kHighWater) AppendStatusLines();
        nextStatusMs_ = steadyMs + 1000;
    }
    const int fps = settings_.framesPerSecond;
    int wait = static_cast<int>(std::max<int64_t>(0, nextStatusMs_ - steadyMs));
    if (fps > 0) {
        uint64_t due = paceBase_ + static_cast<uint64_t>((steadyMs - runStartMs_) * fps / 1000) + 1;
        if (due > runFrames_ + static_cast<uint64_t>(fps)) {
            // More than a second behind (the host stopped reading): no burst.
            runStartMs_ = steadyMs;
            paceBase_ = runFrames_;
            due = runFrames_ + 1;
        }
        while (monitoring_ && !sourceDone_ && runFrames_ < due && PendingSize() < kHighWater)
            SendNextFrame(steadyMs);
        if (!monitoring_) return -1;
        if (!sourceDone_ && runFrames_ >= due) {
            int64_t j = static_cast<int64_t>(runFrames_ - paceBase_);
            int64_t at = runStartMs_ + (j * 1000 + fps - 1) / fps;
            wait = static_cast<int>(std::min<int64_t>(wait, std::max<int64_t>(0, at - steadyMs)));
        }
        return wait;
    }
    while (monitoring_ && !sourceDone_ && PendingSize() < kHighWater) SendNextFrame(steadyMs);
    return monitoring_ ? wait : -1;
}

void DeviceEmulator::Consumed(size_t n) {
    if (n == 0) return;
    sent_ = std::min(out_.size(), sent_ + n);
    atLineStart_ = out_[sent_ - 1] == '\r';
    if (sent_ == out_.size()) {
        out_.clear();
        sent_ = 0;
    } else if (sent_ > 65536) {
        out_.erase(0, sent_);
        sent_ = 0;
    }
}

void DeviceEmulator::DropUnsent() {
    if (PendingSize() == 0) return;
    size_t keep = 0;
    if (!atLineStart_) {
        size_t end = out_.find('\r', sent_);
        keep = end == std::string::npos ? PendingSize() : end + 1 - sent_;
    }
    out_.erase(sent_ + keep);
    if (PendingSize() == 0) {
        out_.clear();
        sent_ = 0;
    }
}
