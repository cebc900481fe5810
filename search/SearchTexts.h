#pragma once
// The window edge of the search dialogs: texts in CP932, told apart from
// ones CP932 cannot hold (their "?" would match a real question mark).
#include <QString>

#include <string>

class SearchTexts {
public:
    static std::string ToCp932(const QString& text, bool& usable);
    static QString Text(const char* utf8);
};
