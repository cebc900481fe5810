#include "options/OptionData.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/FileIo.h"
#include "base/DataFolder.h"

namespace {

// Little-endian field access to one record's bytes in the block. Both
// directions walk the fields in the same order through one template, so the
// layout is written down once.
class BlockReader {
public:
    explicit BlockReader(const uint8_t* p) : p_(p) {}
    template <typename T>
    void operator()(T& v) {
        using U = std::make_unsigned_t<T>;
        U u = 0;
        for (size_t i = 0; i < sizeof(T); ++i) u |= static_cast<U>(static_cast<U>(p_[i]) << (8 * i));
        v = static_cast<T>(u);
        p_ += sizeof(T);
    }
    template <typename T, size_t N>
    void operator()(std::array<T, N>& a) {
        for (T& v : a) (*this)(v);
    }

private:
    const uint8_t* p_;
};

class BlockWriter {
public:
    explicit BlockWriter(uint8_t* p) : p_(p) {}
    template <typename T>
    void operator()(const T& v) {
        auto u = static_cast<std::make_unsigned_t<T>>(v);
        for (size_t i = 0; i < sizeof(T); ++i) p_[i] = static_cast<uint8_t>(u >> (8 * i));
        p_ += sizeof(T);
    }
    template <typename T, size_t N>
    void operator()(const std::array<T, N>& a) {
        for (const T& v : a) (*this)(v);
    }

private:
    uint8_t* p_;
};

template <typename Record, typename Visit>
void Fields(Record& r, Visit&& f) {
    if constexpr (std::is_same_v<std::remove_const_t<Record>, DisplayOptions>) {
        f(r.firstLineColour), f(r.errorColour), f(r.columnOrder), f(r.dataSplit), f(r.padding1);
        f(r.titleColour), f(r.iconColour), f(r.separatorColour);
        f(r.showTitles), f(r.showIcons), f(r.showSeparators), f(r.indent);
        f(r.lampActiveColour), f(r.lampInactiveColour), f(r.lampFaultColour);
        f(r.uniqueFileName), f(r.searchHiddenText), f(r.exportDetail), f(r.padding2);
    } else if constexpr (std::is_same_v<std::remove_const_t<Record>, MonitorOptions>) {
        f(r.portIndex), f(r.voiceAutomatic), f(r.ringBuffer), f(r.logFile), f(r.padding);
    } else {
        f(r.toolBarShown), f(r.padding), f(r.width), f(r.height), f(r.top), f(r.left);
        f(r.firstColumnWidth), f(r.secondColumnWidth);
    }
}

template <typename Record>
void ReadRecord(const std::array<uint8_t, OptionData::kBlockSize>& block, size_t offset,
                Record& r) {
    BlockReader reader(block.data() + offset);
    Fields(r, reader);
}

template <typename Record>
void WriteRecord(std::array<uint8_t, OptionData::kBlockSize>& block, size_t offset,
                 const Record& r) {
    BlockWriter writer(block.data() + offset);
    Fields(r, writer);
}

}  // namespace

const std::string& OptionData::Signature() {
    static const std::string signature = std::string("this is velkscope option data") + '\x1A';
    return signature;
}

OptionData::OptionData() : OptionData(DataFolder::Path() + "velk.opt") {}

OptionData::OptionData(std::string path, SaveMode mode) : path_(std::move(path)), mode_(mode) {
    SetBaseState();
    Load();
}

OptionData::~OptionData() {
    if (mode_ == kSaveOnDestroy) Save();
}

void OptionData::SetBaseState() {
    block_.fill(0);
    DisplayOptions display;
    for (size_t i = 0; i < DisplayOptions::kColumnSlots; ++i)
        display.columnOrder[i] = i <= 12 ? static_cast<int32_t>(i) : DisplayOptions::kEndOfColumns;
    WriteRecord(block_, kDisplayOffset, display);
    WindowState window = DefaultWindowState();
    window.toolBarShown = 0;
    WriteRecord(block_, kWindowOffset, window);
}

void OptionData::ApplyDefaults() {
    WriteRecord(block_, kDisplayOffset, DefaultDisplayOptions());
    WriteRecord(block_, kMonitorOffset, DefaultMonitorOptions());
    WriteRecord(block_, kWindowOffset, DefaultWindowState());
}

bool OptionData::Load() {
    int fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        const std::string& signature = Signature();
        uint8_t head[64];
        size_t want = signature.size() + 2;
        size_t got = 0;
        bool ok = FileIo::ReadAll(fd, head, want, got) && got == want &&
                  std::memcmp(head, signature.data(), signature.size()) == 0 &&
                  head[want - 2] == 0 && head[want - 1] == 0;
        if (ok) {
            // A short file leaves the rest of the block as it stands.
            uint8_t block[kBlockSize];
            ok = FileIo::ReadAll(fd, block, kBlockSize, got);
            if (ok) std::memcpy(block_.data(), block, got);
        }
        ::close(fd);
        if (ok) return true;
    }
    ApplyDefaults();
    return false;
}

bool OptionData::RestoreDefaults() {
    const bool removed = ::unlink(path_.c_str()) == 0 || errno == ENOENT;
    ApplyDefaults();
    return removed;
}

bool OptionData::Save() {
    // Written beside the old file and renamed over it, so a failure half-way
    // (a full disk) leaves the previous options whole.
    std::string temp = path_ + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;
    const std::string& signature = Signature();
    const uint8_t version[2] = {0, 0};
    bool ok = FileIo::WriteAll(fd, signature.data(), signature.size()) &&
              FileIo::WriteAll(fd, version, 2) && FileIo::WriteAll(fd, block_.data(), block_.size());
    ok = ::fchmod(fd, 0644) == 0 && ok;
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = ::rename(temp.c_str(), path_.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

bool OptionData::GetDisplayOptions(DisplayOptions& record) const {
    ReadRecord(block_, kDisplayOffset, record);
    return true;
}

bool OptionData::SetDisplayOptions(const DisplayOptions& record) {
    WriteRecord(block_, kDisplayOffset, record);
    return true;
}

bool OptionData::GetMonitorOptions(MonitorOptions& record) const {
    ReadRecord(block_, kMonitorOffset, record);
    return true;
}

bool OptionData::SetMonitorOptions(const MonitorOptions& record) {
    WriteRecord(block_, kMonitorOffset, record);
    return true;
}

bool OptionData::GetWindowState(WindowState& record) const {
    ReadRecord(block_, kWindowOffset, record);
    return true;
}

bool OptionData::SetWindowState(const WindowState& record) {
    WriteRecord(block_, kWindowOffset, record);
    return true;
}

void OptionData::ApplySearchColumns(DisplayOptions& record) {
    if (!record.searchHiddenText) return;
    for (size_t i = 0; i < DisplayOptions::kColumnSlots; ++i)
        record.columnOrder[i] = i <= 13 ? static_cast<int32_t>(i) : DisplayOptions::kEndOfColumns;
}

DisplayOptions OptionData::DefaultDisplayOptions() {
    DisplayOptions d;
    d.firstLineColour = 0xFF0000;
    d.errorColour = 0x0000FF;
    static const int32_t kOrder[] = {2, 6, 5, 13, 9, 10, 7, 13, 12, 11, 13, 8};
    d.columnOrder.fill(DisplayOptions::kEndOfColumns);
    for (size_t i = 0; i < std::size(kOrder); ++i) d.columnOrder[i] = kOrder[i];
    d.dataSplit = 16;
    d.titleColour = 0x00FF00;
    d.iconColour = 0xFFFF00;
    d.separatorColour = 0x000080;
    d.showTitles = d.showIcons = d.showSeparators = d.indent = 1;
    d.lampActiveColour = 0x00FF00;
    d.lampInactiveColour = 0x808000;
    d.lampFaultColour = 0x0000FF;
    d.uniqueFileName = 1;
    d.searchHiddenText = 0;
    d.exportDetail = 1;
    return d;
}

MonitorOptions OptionData::DefaultMonitorOptions() {
    MonitorOptions m;
    m.portIndex = 0;
    m.voiceAutomatic = 0;
    m.ringBuffer = 1;
    m.logFile = 0;
    return m;
}

WindowState OptionData::DefaultWindowState() {
    WindowState w;
    w.toolBarShown = 1;
    w.width = 640;
    w.height = 400;
    w.top = 0;
    w.left = 0;
    w.firstColumnWidth = 640 / 2 - 8;
    w.secondColumnWidth = 640 / 2 - 8;
    return w;
}
