#include "tools/PcapngCommand.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "files/PcapngWriter.h"
#include "tools/InputStream.h"
#include "tools/OutputFile.h"

namespace {

bool AllDigits(const std::string& s, size_t from, size_t count) {
    if (from + count > s.size()) return false;
    for (size_t i = from; i < from + count; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

// A number of at most four digits (a year, a month, a day).
bool Digits(const std::string& s, size_t from, size_t count, int& value) {
    if (count > 4 || !AllDigits(s, from, count)) return false;
    value = 0;
    for (size_t i = from; i < from + count; ++i) value = value * 10 + (s[i] - '0');
    return true;
}

// Midnight of the day the first input's records start, by the first source that has one.
bool StartOfDay(const PcapngCommand::Settings& settings, int64_t& midnight) {
    int y = 0, m = 0, d = 0;
    const std::string& date = settings.date;
    if (!date.empty()) {
        if (date.size() != 10 || date[4] != '-' || date[7] != '-' || !Digits(date, 0, 4, y) || !Digits(date, 5, 2, m) ||
            !Digits(date, 8, 2, d) || !PcapngWriter::MidnightOf(y, m, d, midnight)) {
            std::fprintf(stderr, "velkdump: --date wants YYYY-MM-DD, not %s\n", date.c_str());
            return false;
        }
        return true;
    }
    if (PcapngCommand::DateOfLogName(settings.inputs.front(), y, m, d) && PcapngWriter::MidnightOf(y, m, d, midnight))
        return true;
    struct stat st;
    std::tm local{};
    if (::stat(settings.inputs.front().c_str(), &st) != 0 || !::localtime_r(&st.st_mtime, &local)) return false;
    return PcapngWriter::MidnightOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, midnight);
}

// Local midnight of the day of a time stamp.
bool MidnightOfTime(int64_t seconds, int64_t& midnight) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm local{};
    return ::localtime_r(&t, &local) &&
           PcapngWriter::MidnightOf(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, midnight);
}

// Where an input's first record starts the day anew: a capture's own date,
// a later dated log file's name.
bool NewDay(const InputStream& in, int64_t& midnight) {
    int y = 0, m = 0, d = 0;
    if (in.InputKind() == InputStream::kCapture) return MidnightOfTime(in.CaptureSeconds(), midnight);
    return in.InputNumber() > 0 && PcapngCommand::DateOfLogName(in.Path(), y, m, d) &&
           PcapngWriter::MidnightOf(y, m, d, midnight);
}

}  // namespace

bool PcapngCommand::DateOfLogName(const std::string& path, int& year, int& month, int& day) {
    const size_t slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() < 18 || name.compare(name.size() - 4, 4, ".log") != 0 || !AllDigits(name, 8, 6)) return false;
    const size_t stem = name.size() - 4;
    if (stem != 14 && (name[14] != '_' || stem == 15 || !AllDigits(name, 15, stem - 15))) return false;
    return Digits(name, 0, 4, year) && Digits(name, 4, 2, month) && Digits(name, 6, 2, day);
}

int PcapngCommand::Run(const Settings& settings) {
    int64_t midnight = 0;
    if (!StartOfDay(settings, midnight)) {
        if (settings.date.empty())
            std::fprintf(stderr, "velkdump: no date for %s\n", settings.inputs.front().c_str());
        return 2;
    }
    InputStream in(settings.inputs);
    if (!in.Check()) return 1;
    OutputFile out(settings.output);
    if (!out.Open()) return 2;
    FdWriter& writer = out.Writer();
    PcapngWriter pcapng(writer.Buffer(), midnight);
    FrameRecord record;
    InputStream::Result read;
    while ((read = in.Next(record)) == InputStream::kRecord) {
        if (in.FirstOfInput() && NewDay(in, midnight)) pcapng.StartDay(midnight);
        pcapng.Append(record);
        if (!writer.FlushIfFull()) {
            in.ClearProgress();
            return out.WriteFailed(writer.Error());
        }
    }
    if (read == InputStream::kFailed) return 1;
    return out.Commit();
}
