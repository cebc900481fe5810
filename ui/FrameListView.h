#pragma once
// What a command needs of the main window's frame list: the selected row,
// repainting, its font and column widths (printing), and the file name in
// the status bar beside it.
class QFont;
class QString;

class FrameListView {
public:
    virtual ~FrameListView() = default;

    // Row 0 is the header; row r shows store position r - 1.
    virtual int SelectedRow() const = 0;
    // Makes row the selected row and scrolls it into view.
    virtual void SelectRow(int row) = 0;
    // The list paints its rows only while this is set (cleared while a
    // trace file loads).
    virtual bool DrawingEnabled() const = 0;
    virtual void SetDrawingEnabled(bool enabled) = 0;
    // Repaints the list; with recountRows, after the store was replaced (a
    // load), every row's height is counted again.
    virtual void RefreshList(bool recountRows) = 0;
    // Status panel 2: the file name; with onlyIfEmpty, only into an empty panel.
    virtual void ShowFileName(const QString& path, bool onlyIfEmpty) = 0;
    virtual QFont ListFont() const = 0;
    virtual int ListColumnWidth(int column) const = 0;
    // The list's width inside its frame.
    virtual int ListClientWidth() const = 0;
};
