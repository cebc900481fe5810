#include "ui/WindowFonts.h"

QFont WindowFonts::ListFont() {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(12);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont WindowFonts::WindowFont() {
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    return font;
}
