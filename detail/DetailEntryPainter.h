#pragma once
// Draws one detail entry, on the screen and on the printer alike: the tag
// box, the category title bar, the label and value columns and the element
// separator line, in the display options' colours.
#include <string_view>

#include "options/DisplayOptions.h"

class QFontMetrics;
class QPainter;
class QRect;

class DetailEntryPainter {
public:
    // One line height (text height + 2) per display line, plus 2.
    static int Height(const QFontMetrics& metrics, std::string_view entry);
    // Fills rect with the painter's brush and draws entry from its top left
    // corner, rect's width being the width available; the text takes the
    // pen's colour. Printing draws separator lines 3 units wide.
    static void Paint(QPainter& painter, std::string_view entry, const QRect& rect,
                      const DisplayOptions& options, bool printing);
};
