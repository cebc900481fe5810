#pragma once
// The window edge: core texts are CP932 bytes, Qt wants QString.
#include <QString>

#include <string_view>

#include "base/Cp932.h"

class QtText {
public:
    static QString FromCp932(std::string_view cp932);
    static std::string ToCp932(const QString& text);
    // A UTF-8 source text through its CP932 form, so the window shows what
    // the program's files and messages hold ("?" where CP932 has no code).
    static QString Literal(const char* utf8);
};

// The same for a literal, converted once per call site.
#define VELK_UI_TEXT(utf8) QtText::FromCp932(VELK_SJIS(utf8))
