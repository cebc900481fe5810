#include "options/ColumnListEditor.h"

#include <algorithm>
#include <array>

#include "base/Cp932.h"

namespace {

struct Column {
    const char* name;
    int id;
};

constexpr std::array<Column, ColumnListEditor::kColumns> kTable{{
    {"C/R", 0}, {"CRC", 1}, {"INDEX", 2}, {"SAPI", 3}, {"TEI", 4}, {"コマンド", 5}, {"タイムスタンプ", 6},
    {"チャネル番号", 7}, {"データ", 8}, {"ﾚｲﾔ3ﾒｯｾｰｼﾞ", 9}, {"呼番号", 10}, {"着番号", 12}, {"発番号", 11},
    {"改行", DisplayOptions::kLineBreakColumn},
}};

constexpr int kMarkerEntry = ColumnListEditor::kColumns - 1;

const std::array<std::string, ColumnListEditor::kColumns>& Names() {
    static const std::array<std::string, ColumnListEditor::kColumns> names = [] {
        std::array<std::string, ColumnListEditor::kColumns> out;
        for (size_t i = 0; i < out.size(); ++i) out[i] = Cp932::FromUtf8(kTable[i].name);
        return out;
    }();
    return names;
}

int EntryOfId(int32_t id) {
    for (int i = 0; i < ColumnListEditor::kColumns; ++i)
        if (kTable[static_cast<size_t>(i)].id == id) return i;
    return -1;
}

int EntryOfName(const std::string& name) {
    const auto& names = Names();
    const auto at = std::find(names.begin(), names.end(), name);
    return at == names.end() ? -1 : static_cast<int>(at - names.begin());
}

}  // namespace

const std::string& ColumnListEditor::Name(int entry) { return Names()[static_cast<size_t>(entry)]; }
int ColumnListEditor::Id(int entry) { return kTable[static_cast<size_t>(entry)].id; }
const std::string& ColumnListEditor::LineBreakName() { return Name(kMarkerEntry); }

// std::string orders by unsigned bytes, which is the CP932 order wanted.
void ColumnListEditor::AddAvailable(const std::string& name) {
    const auto at = std::upper_bound(available_.begin(), available_.end(), name);
    // The selection stays on its column.
    if (availableSelection_ >= at - available_.begin()) ++availableSelection_;
    available_.insert(at, name);
}

void ColumnListEditor::Reset() {
    available_.clear();
    shown_.clear();
    availableSelection_ = shownSelection_ = -1;
    for (int i = 0; i < kMarkerEntry; ++i) AddAvailable(Name(i));
}

void ColumnListEditor::Load(const DisplayOptions& record) {
    Reset();
    for (int i = 0; i < kLoadLimit && record.columnOrder[static_cast<size_t>(i)] != DisplayOptions::kEndOfColumns;
         ++i) {
        const int entry = EntryOfId(record.columnOrder[static_cast<size_t>(i)]);
        if (entry < 0) continue;
        const std::string& name = Name(entry);
        if (entry != kMarkerEntry) {
            // A repeated id would let the shown rows outgrow the record.
            const auto at = std::find(available_.begin(), available_.end(), name);
            if (at == available_.end()) continue;
            available_.erase(at);
        }
        shown_.push_back(name);
    }
}

void ColumnListEditor::Store(DisplayOptions& record) const {
    record.columnOrder.fill(DisplayOptions::kEndOfColumns);
    size_t slot = 0;
    if (shown_.empty()) {
        for (int id = 0; id < kMarkerEntry; ++id) record.columnOrder[slot++] = id;
        return;
    }
    for (const std::string& row : shown_) {
        const int entry = EntryOfName(row);
        if (entry < 0) continue;
        if (slot == record.columnOrder.size()) break;
        record.columnOrder[slot++] = Id(entry);
    }
}

void ColumnListEditor::Add() {
    if (availableSelection_ < 0) return;
    const size_t from = static_cast<size_t>(availableSelection_);
    const std::string name = available_[from];
    if (shownSelection_ < 0) shown_.push_back(name);
    else shown_.insert(shown_.begin() + shownSelection_ + 1, name);
    available_.erase(available_.begin() + availableSelection_);
    availableSelection_ = available_.empty() ? -1 : static_cast<int>(std::min(from, available_.size() - 1));
}

void ColumnListEditor::AddLineBreak() {
    if (shown_.empty()) return;
    if (shownSelection_ >= 0) {
        const size_t row = static_cast<size_t>(shownSelection_);
        if (IsMarker(row) || IsMarker(row + 1)) return;
        shown_.insert(shown_.begin() + shownSelection_ + 1, LineBreakName());
    } else if (!IsMarker(shown_.size() - 1)) {
        shown_.push_back(LineBreakName());
    }
}

void ColumnListEditor::Remove() {
    if (shownSelection_ < 0) return;
    const size_t removed = static_cast<size_t>(shownSelection_);
    if (!IsMarker(removed)) AddAvailable(shown_[removed]);
    shown_.erase(shown_.begin() + shownSelection_);
    bool previousMarker = false;
    for (size_t row = 0; row < shown_.size();) {
        if (!IsMarker(row)) {
            previousMarker = false;
        } else if (previousMarker) {
            shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(row));
            previousMarker = false;
            continue;
        } else {
            previousMarker = true;
        }
        ++row;
    }
    shownSelection_ = shown_.empty() ? -1 : static_cast<int>(std::min(removed, shown_.size() - 1));
}
