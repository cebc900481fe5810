#pragma once
// The two fonts of the program's windows: the fixed-pitch list font of the
// frame list, the search results and the detail window, and the
// proportional font of the main window and its dialogs.
#include <QFont>

class WindowFonts {
public:
    // IPAGothic stands in for "ＭＳ ゴシック", 12 pixels.
    static QFont ListFont();
    // IPAPGothic stands in for "ＭＳ Ｐゴシック", 12 pixels.
    static QFont WindowFont();
};
