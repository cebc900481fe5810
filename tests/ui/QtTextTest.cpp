#include "ui/QtText.h"

#include <gtest/gtest.h>

TEST(QtText, ShowsCp932AsTheCharactersItHolds) {
    // "ﾓﾆﾀｰ開始" as the device menus spell it, half-width katakana then kanji.
    const std::string bytes = "\xD3\xC6\xC0\xB0\x8A\x4A\x8E\x6E";
    EXPECT_EQ(QtText::FromCp932(bytes), QString::fromUtf8("ﾓﾆﾀｰ開始"));
    EXPECT_EQ(QtText::ToCp932(QString::fromUtf8("ﾓﾆﾀｰ開始")), bytes);
}
