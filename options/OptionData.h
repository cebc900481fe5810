#pragma once
// The option store: one 768-byte block holding the display options, the
// monitor options and the window state, kept in "velk.opt" beside the
// program. Read once when constructed, written once when destroyed.
#include <array>
#include <cstdint>
#include <string>

#include "options/DisplayOptions.h"
#include "options/MonitorOptions.h"
#include "options/WindowState.h"

class OptionData {
public:
    static constexpr size_t kBlockSize = 768;
    static constexpr size_t kDisplayOffset = 0;
    static constexpr size_t kMonitorOffset = 256;
    static constexpr size_t kWindowOffset = 512;
    static const std::string& Signature();  // "this is velkscope option data" + 0x1A

    enum SaveMode { kSaveOnDestroy, kReadOnly };

    // "velk.opt" in the program's folder.
    OptionData();
    // The file at path; a read-only store (for tools) never writes it.
    explicit OptionData(std::string path, SaveMode mode = kSaveOnDestroy);
    ~OptionData();
    OptionData(const OptionData&) = delete;
    OptionData& operator=(const OptionData&) = delete;

    // True when the file was accepted; false when the defaults were applied.
    bool Load();
    // Replaces the file atomically; false when it could not be written
    // (the old file, if any, is then left whole).
    bool Save();
    // Deletes the file and takes the defaults. They hold in memory even when
    // the file cannot be deleted (it is then replaced at exit); false then.
    bool RestoreDefaults();

    bool GetDisplayOptions(DisplayOptions& record) const;
    bool SetDisplayOptions(const DisplayOptions& record);
    bool GetMonitorOptions(MonitorOptions& record) const;
    bool SetMonitorOptions(const MonitorOptions& record);
    bool GetWindowState(WindowState& record) const;
    bool SetWindowState(const WindowState& record);

    const std::string& FilePath() const { return path_; }
    const std::array<uint8_t, kBlockSize>& Block() const { return block_; }

    // With "search includes text not shown" on, the column order becomes
    // every id 0..13 in ascending order.
    static void ApplySearchColumns(DisplayOptions& record);

    static DisplayOptions DefaultDisplayOptions();
    static MonitorOptions DefaultMonitorOptions();
    static WindowState DefaultWindowState();

private:
    void SetBaseState();
    void ApplyDefaults();

    std::string path_;
    SaveMode mode_;
    std::array<uint8_t, kBlockSize> block_{};
};
