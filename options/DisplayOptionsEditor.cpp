#include "options/DisplayOptionsEditor.h"

#include "options/ColourTable.h"

namespace {

constexpr std::array<int8_t, DisplayOptionsEditor::kSplits> kSplitValues{0, 8, 16, 32};

// The record's colour fields in the order of DisplayOptionsEditor::Colour.
template <typename Record>
auto ColourFields(Record& r) {
    return std::array{&r.firstLineColour, &r.errorColour, &r.titleColour, &r.iconColour, &r.separatorColour,
                      &r.lampActiveColour, &r.lampInactiveColour, &r.lampFaultColour};
}

// And its switches in the order of DisplayOptionsEditor::Switch.
template <typename Record>
auto SwitchFields(Record& r) {
    return std::array{&r.showTitles, &r.showIcons, &r.showSeparators, &r.indent,
                      &r.uniqueFileName, &r.searchHiddenText, &r.exportDetail};
}

}  // namespace

int8_t DisplayOptionsEditor::SplitValue(int index) {
    return index >= 0 && index < kSplits ? kSplitValues[static_cast<size_t>(index)] : 0;
}

int DisplayOptionsEditor::SplitIndex(int8_t value) {
    for (int i = 0; i < kSplits; ++i)
        if (kSplitValues[static_cast<size_t>(i)] == value) return i;
    return 0;
}

void DisplayOptionsEditor::Load(const DisplayOptions& record) {
    columns_.Load(record);
    const auto colours = ColourFields(record);
    for (size_t i = 0; i < colours.size(); ++i) colours_[i] = ColourTable::IndexOf(*colours[i]);
    const auto switches = SwitchFields(record);
    for (size_t i = 0; i < switches.size(); ++i) switches_[i] = *switches[i] != 0;
    split_ = SplitIndex(record.dataSplit);
}

void DisplayOptionsEditor::Store(DisplayOptions& record) const {
    columns_.Store(record);
    const auto colours = ColourFields(record);
    for (size_t i = 0; i < colours.size(); ++i) *colours[i] = ColourTable::Value(colours_[i]);
    const auto switches = SwitchFields(record);
    for (size_t i = 0; i < switches.size(); ++i) *switches[i] = switches_[i] ? 1 : 0;
    record.dataSplit = SplitValue(split_);
}
