#include "search/SearchTexts.h"

#include "base/Cp932.h"
#include "base/QtText.h"

std::string SearchTexts::ToCp932(const QString& text, bool& usable) {
    std::string cp932 = QtText::ToCp932(text);
    usable = QtText::FromCp932(cp932) == text;
    return cp932;
}

QString SearchTexts::Text(const char* utf8) { return QtText::FromCp932(Cp932::FromUtf8(utf8)); }
