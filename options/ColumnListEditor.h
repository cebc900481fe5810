#pragma once
// The column choice of the display options: the columns still available
// (kept in CP932 byte order) and the columns shown, in order, with the
// line-break markers between them. Names are CP932; a selection is a row
// index, -1 for none.
#include <string>
#include <vector>

#include "options/DisplayOptions.h"

class ColumnListEditor {
public:
    static constexpr int kColumns = 14;  // 13 columns and the line-break marker
    // Rows taken from a stored order; the rest is ignored.
    static constexpr int kLoadLimit = 28;

    // Table entry index (0..13): display name and stored id. Entries 11 and
    // 12 hold ids 12 and 11.
    static const std::string& Name(int entry);
    static int Id(int entry);
    // "改行"
    static const std::string& LineBreakName();

    ColumnListEditor() { Reset(); }

    // All 13 columns available, none shown, nothing selected.
    void Reset();
    // The stored order shown: at most kLoadLimit entries up to the first -1;
    // ids not in the table and ids already shown (markers aside) are skipped.
    void Load(const DisplayOptions& record);
    // The shown rows as ids into the column order (at most its 50 slots, the
    // rest -1); with no row shown, ids 0 to 12.
    void Store(DisplayOptions& record) const;

    // "追加>>": the selected available column below the selected shown row
    // (at the end when none is selected).
    void Add();
    // "改行>>": a marker below the selected row, or at the end, never next
    // to another marker.
    void AddLineBreak();
    // "<<削除": the selected shown row back to the available list; markers
    // that come to stand together are merged.
    void Remove();

    const std::vector<std::string>& Available() const { return available_; }
    const std::vector<std::string>& Shown() const { return shown_; }
    int AvailableSelection() const { return availableSelection_; }
    int ShownSelection() const { return shownSelection_; }
    void SelectAvailable(int row) { availableSelection_ = Valid(row, available_) ? row : -1; }
    void SelectShown(int row) { shownSelection_ = Valid(row, shown_) ? row : -1; }

private:
    static bool Valid(int row, const std::vector<std::string>& list) {
        return row >= 0 && static_cast<size_t>(row) < list.size();
    }
    void AddAvailable(const std::string& name);
    bool IsMarker(size_t row) const { return row < shown_.size() && shown_[row] == LineBreakName(); }

    std::vector<std::string> available_;
    std::vector<std::string> shown_;
    int availableSelection_ = -1;
    int shownSelection_ = -1;
};
