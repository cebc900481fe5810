#pragma once
// What the display options dialog edits, between Load and Store: the column
// choice, the colours as colour table indices, the data split as a radio
// index and the switches. The dialog only shows this and passes the user's
// changes in.
#include <array>
#include <cstdint>

#include "options/ColumnListEditor.h"
#include "options/DisplayOptions.h"

class DisplayOptionsEditor {
public:
    enum Colour {
        kFirstLine, kError, kTitle, kIcon, kSeparator, kLampActive, kLampInactive, kLampFault, kColours
    };
    enum Switch {
        kShowTitles, kShowIcons, kShowSeparators, kIndent, kUniqueFileName, kSearchHiddenText, kExportDetail,
        kSwitches
    };
    static constexpr int kSplits = 4;  // "なし", "8byte", "16byte", "32byte"

    // Stored bytes per group: radio 0..3 -> 0, 8, 16, 32; any other index 0.
    static int8_t SplitValue(int index);
    // 0, 8, 16, 32 -> radio 0..3; any other value "なし" (0).
    static int SplitIndex(int8_t value);

    void Load(const DisplayOptions& record);
    // Writes the edited fields; the others (padding) keep their values.
    void Store(DisplayOptions& record) const;

    ColumnListEditor& Columns() { return columns_; }
    const ColumnListEditor& Columns() const { return columns_; }
    int ColourIndex(Colour which) const { return colours_[which]; }
    void SetColourIndex(Colour which, int index) { colours_[which] = index; }
    bool SwitchOn(Switch which) const { return switches_[which]; }
    void SetSwitch(Switch which, bool on) { switches_[which] = on; }
    int SplitRadio() const { return split_; }
    void SetSplitRadio(int index) { split_ = index >= 0 && index < kSplits ? index : 0; }

private:
    ColumnListEditor columns_;
    std::array<int, kColours> colours_{};
    std::array<bool, kSwitches> switches_{};
    int split_ = 0;
};
