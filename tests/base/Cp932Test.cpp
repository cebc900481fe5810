#include "base/Cp932.h"

#include <gtest/gtest.h>

TEST(Cp932, ConvertsHalfWidthFullWidthAndTheWaveDash) {
    // Half-width katakana are single bytes 0xA1-0xDF.
    EXPECT_EQ(Cp932::FromUtf8("ﾓﾆﾀｰ開始(&S)"), "\xD3\xC6\xC0\xB0\x8A\x4A\x8E\x6E(&S)");
    // Full-width Latin letters and the ideographic space.
    EXPECT_EQ(Cp932::FromUtf8("ＭＳ　"), "\x82\x6C\x82\x72\x81\x40");
    // "～" (U+FF5E) is CP932 0x8160, the one SHIFT_JIS tables get wrong.
    EXPECT_EQ(Cp932::FromUtf8("～"), "\x81\x60");
    // NEC extension: circled digit one.
    EXPECT_EQ(Cp932::FromUtf8("①"), "\x87\x40");
    EXPECT_EQ(Cp932::ToUtf8("\x81\x60\x87\x40\xB1"), "～①ｱ");
}

TEST(Cp932, RoundTripsEveryProgramText) {
    for (const char* text : {"通信エラー", "記憶できる件数を超えました。", "ｷｬﾝｾﾙ",
                             "ISDNﾓﾆﾀ-ﾃﾞｰﾀﾌｧｲﾙ(*.vkt)", "ファイル[x]が\n見つかりません。"}) {
        EXPECT_EQ(Cp932::ToUtf8(Cp932::FromUtf8(text)), text);
    }
}

TEST(Cp932, SurvivesBadInputInBothDirections) {
    // A lone lead byte, a cut-off trail and bytes no table holds.
    EXPECT_EQ(Cp932::ToUtf8("A\x81"), "A\xEF\xBF\xBD");
    EXPECT_EQ(Cp932::ToUtf8(std::string("\xFD\x00Z", 3)), std::string("\xEF\xBF\xBD\0Z", 5));
    // Invalid UTF-8 and characters without a CP932 form become "?".
    EXPECT_EQ(Cp932::FromUtf8("a\xC3(b"), "a?(b");
    EXPECT_EQ(Cp932::FromUtf8("\xF0\x9F\x98\x80!"), "?!");
    EXPECT_EQ(Cp932::FromUtf8(""), "");
}

TEST(Cp932, LiteralIsConvertedOncePerSite) {
    auto site = [] { return &VELK_SJIS("バッファフル"); };
    EXPECT_EQ(site(), site());
    EXPECT_EQ(*site(), Cp932::FromUtf8("バッファフル"));
    EXPECT_TRUE(Cp932::IsLeadByte(static_cast<unsigned char>((*site())[0])));
    EXPECT_FALSE(Cp932::IsLeadByte(0xB1));
}
