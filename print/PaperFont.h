#pragma once
// The frame list's font on the printer: the same physical size on paper as
// on a 96 dpi screen, and the line height the printed rows take.
#include <QFont>

class QPrinter;

class PaperFont {
public:
    static constexpr int kScreenDpi = 96;

    static QFont ForPrinter(const QFont& listFont, const QPrinter& printer);
    // Height of "A" in the printer font, in printer units.
    static int LineHeight(const QFont& paperFont, const QPrinter& printer);
};
