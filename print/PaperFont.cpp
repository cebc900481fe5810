#include "print/PaperFont.h"

#include <QFontMetrics>
#include <QPrinter>

#include <algorithm>

QFont PaperFont::ForPrinter(const QFont& listFont, const QPrinter& printer) {
    QFont font = listFont;
    // A point size is physical already; a pixel size is meant at 96 dpi.
    if (listFont.pixelSize() > 0)
        font.setPixelSize(std::max(1, listFont.pixelSize() * printer.resolution() / kScreenDpi));
    return font;
}

int PaperFont::LineHeight(const QFont& paperFont, const QPrinter& printer) {
    return std::max(1, QFontMetrics(paperFont, &printer).height());
}
