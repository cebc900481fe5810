#pragma once
// Draws a frame row as the frame list shows it: the record's row text in
// the column of its direction, line by line, in the display options'
// first-line and error colours; and the "TX"/"RX" header. The frame list,
// the search result list and printing all draw rows through here.
#include <functional>
#include <string>
#include <string_view>

#include "options/DisplayOptions.h"
#include "store/FrameRecord.h"

class QPainter;
class QRect;

class FrameRowPainter {
public:
    // Builds a row text (RowText::BuildRowText unless a caller puts its own in).
    using BuildText = std::function<void(const FrameRecord&, std::string&, const DisplayOptions&, bool fcsGood)>;

    // "TX" over column 0, "RX" over column 1, one line high.
    static void PaintHeader(QPainter& painter, int column, const QRect& cell, int lineHeight);
    // Builds the record's row text and draws it when column is the record's
    // direction (the other cell stays empty). Returns the text's line count,
    // which both cells of the row take.
    static int PaintRecord(QPainter& painter, const FrameRecord& record, int column, const QRect& cell,
                           int lineHeight, bool selected, const DisplayOptions& options,
                           const BuildText& build = {});
    // Draws a row text: empty lines skipped, a line starting with a space
    // becomes the prefix of later lines, line k at top + k * lineHeight.
    static void PaintText(QPainter& painter, std::string_view text, bool fcsGood, bool selected,
                          const QRect& cell, int lineHeight, const DisplayOptions& colours);
};
