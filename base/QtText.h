#pragma once
// The window edge: core texts are CP932 bytes, Qt wants QString.
#include <QString>

#include <string_view>

class QtText {
public:
    static QString FromCp932(std::string_view cp932);
    static std::string ToCp932(const QString& text);
};
