// velk.opt: signature, version and the 768-byte block, replaced atomically.
#include "options/OptionData.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

using namespace testsupport;

namespace {

// Hex digits to bytes; spaces are for reading only.
std::string Bytes(std::string_view hex) {
    const std::vector<uint8_t> octets = HexBytes(hex);
    return std::string(octets.begin(), octets.end());
}

std::string Block(const OptionData& options) { return std::string(options.Block().begin(), options.Block().end()); }

const std::string kHead = std::string("this is velkscope option data\x1A") + std::string(2, '\0');
const std::string kWindow = Bytes("80020000 90010000 00000000 00000000 38010000 38010000");  // 640, 400, 0, 0, 312, 312
// Little-endian: display options, monitor options, window state.
const std::string kDefaults =
    Bytes("0000FF00 FF000000 02000000 06000000 05000000 0D000000 09000000 0A000000 07000000 0D000000 0C000000 0B000000 "
          "0D000000 08000000") + std::string(38 * 4, '\xFF') +
    Bytes("10000000 00FF0000 00FFFF00 80000000 01010101 00FF0000 00808000 FF000000 01000100") + std::string(12, '\0') +
    Bytes("00000000 00010000") + std::string(248, '\0') + Bytes("01000000") + kWindow + std::string(228, '\0');

class OptionFile : public ::testing::Test {
protected:
    // A valid file whose block is `bytes` bytes of `fill`.
    static std::string File(char fill, size_t bytes = 768) { return kHead + std::string(bytes, fill); }
    TempFolder dir_;
    const std::string path_ = dir_.Path() + "/velk.opt";
};

}  // namespace

TEST_F(OptionFile, RecordsCopiedOutAndBackChangeNothingButTheirValues) {
    ASSERT_TRUE(WriteFile(path_, File('\x5A')));
    {
        OptionData options(path_);
        DisplayOptions d;
        WindowState w;
        MonitorOptions m;
        ASSERT_TRUE(options.GetDisplayOptions(d));
        ASSERT_TRUE(options.SetDisplayOptions(d));
        ASSERT_TRUE(options.GetWindowState(w));
        ASSERT_TRUE(options.SetWindowState(w));
        ASSERT_TRUE(options.GetMonitorOptions(m));
        ASSERT_TRUE(options.SetMonitorOptions({3, 1, 1, 0, m.padding}));
    }
    // Padding included; the monitor options at 256.
    EXPECT_EQ(ReadFile(path_), File('\x5A').replace(32 + 256, 7, Bytes("03000000 010100")));
}

TEST_F(OptionFile, RejectedShortAndLongFiles) {
    std::string signature = File('\1'), major = File('\1'), minor = File('\1');
    signature[5] ^= 0x20;
    major[30] = 1;
    minor[31] = 1;
    const std::tuple<std::string, bool, std::string> cases[] = {  // the file, whether it loads, the block
        {signature, false, kDefaults}, {major, false, kDefaults}, {minor, false, kDefaults},
        {kHead.substr(0, 30), false, kDefaults}, {"", false, kDefaults},
        // 100 bytes of block: colours and column ids 0..22 from the file, the rest the base state.
        {File('\0', 100), true,
         std::string(100, '\0') + std::string(108, '\xFF') + std::string(308, '\0') + kWindow + std::string(228, '\0')},
        {File('\7') + "trailing bytes", true, std::string(768, '\7')},
    };
    for (const auto& [bytes, loads, block] : cases) {
        ASSERT_TRUE(WriteFile(path_, bytes));
        OptionData options(path_, OptionData::kReadOnly);
        EXPECT_EQ(options.Load(), loads);
        EXPECT_EQ(Block(options), block);
    }
}

TEST_F(OptionFile, WithoutAFileTheDefaultsAreWrittenAndAFailedSaveLeavesTheOldFileWhole) {
    EXPECT_FALSE(OptionData(path_).Load());  // written on destruction
    EXPECT_EQ(ReadFile(path_), kHead + kDefaults);
    ASSERT_TRUE(WriteFile(path_, File('\x11')));
    OptionData options(path_, OptionData::kReadOnly);
    EXPECT_FALSE(WithFileSizeLimit(100, [&] { return options.Save(); }));  // the disk fills half-way
    EXPECT_EQ(ReadFile(path_), File('\x11'));
    EXPECT_FALSE(OptionData(dir_.Path() + "/missing/velk.opt", OptionData::kReadOnly).Save());
}

TEST(OptionData, ApplySearchColumns) {
    DisplayOptions d = Columns({8, 2});
    OptionData::ApplySearchColumns(d);
    EXPECT_EQ(d, Columns({8, 2}));
    d.searchHiddenText = 1;
    OptionData::ApplySearchColumns(d);
    d.searchHiddenText = 0;
    EXPECT_EQ(d, Columns({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
}
