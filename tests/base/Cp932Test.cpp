#include "base/Cp932.h"

#include <gtest/gtest.h>

#include <utility>

TEST(Cp932, ConvertsBothWays) {
    const std::pair<const char*, std::string> cases[] = {
        {"ﾓﾆﾀｰ開始(&S)", "\xD3\xC6\xC0\xB0\x8A\x4A\x8E\x6E(&S)"},  // half-width katakana are single bytes
        {"ＭＳ　", "\x82\x6C\x82\x72\x81\x40"},                    // full-width Latin, ideographic space
        {"～①", "\x81\x60\x87\x40"},  // U+FF5E, which SHIFT_JIS tables get wrong; an NEC extension
        {"ファイル[x]が\n見", "\x83\x74\x83\x40\x83\x43\x83\x8B[x]\x82\xAA\n\x8C\xA9"},
    };
    for (const auto& [utf8, cp932] : cases) {
        EXPECT_EQ(Cp932::FromUtf8(utf8), cp932) << utf8;
        EXPECT_EQ(Cp932::ToUtf8(cp932), utf8) << utf8;
    }
    // A lone lead byte and bytes no table holds; invalid UTF-8 and characters without a CP932 form.
    EXPECT_EQ(Cp932::ToUtf8("A\x81"), "A\xEF\xBF\xBD");
    EXPECT_EQ(Cp932::ToUtf8(std::string("\xFD\x00Z", 3)), std::string("\xEF\xBF\xBD\0Z", 5));
    EXPECT_EQ(Cp932::FromUtf8("a\xC3(b\xF0\x9F\x98\x80!\xE0\xA0\x80\xC0\x80"), "a?(b?!??");
    // A literal is converted once per site.
    auto site = [] { return &VELK_SJIS("バッファフル"); };
    EXPECT_EQ(site(), site());
    EXPECT_EQ(*site(), "\x83\x6F\x83\x62\x83\x74\x83\x40\x83\x74\x83\x8B");
    EXPECT_EQ(std::pair(Cp932::IsLeadByte(0x83), Cp932::IsLeadByte(0xB1)), std::pair(true, false));
}
