// Any octets as a frame: one item per octet plus the titles, every octet
// item starting with its tag or its hex digits, and the entry list.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/DetailSupport.h"
#include "detail/DetailEntries.h"

using namespace testsupport;

namespace {

// Bodies that reach the decoders: SAPI 0, 16 or 63 address octets often.
std::vector<uint8_t> RandomFrame(std::mt19937& rng) {
    std::uniform_int_distribution<int> octet(0, 255);
    std::uniform_int_distribution<int> length(0, 300);
    std::vector<uint8_t> bytes(static_cast<size_t>(length(rng)));
    for (auto& b : bytes) b = static_cast<uint8_t>(octet(rng));
    if (bytes.size() > 1) {
        static constexpr uint8_t kSapis[] = {0x00, 0x02, 0x40, 0x42, 0xFC, 0xFE};
        if (octet(rng) < 200) bytes[1] = kSapis[octet(rng) % 6];
        if (bytes.size() > 2 && octet(rng) < 200) bytes[2] |= 0x01;
    }
    return bytes;
}

void CheckItems(const std::vector<std::string>& items, size_t octets, const DisplayOptions& o) {
    size_t seen = 0;
    for (const auto& item : items) {
        ASSERT_FALSE(item.empty());
        if (item[0] == 0x12) {
            ASSERT_TRUE(o.showTitles);
            continue;
        }
        ++seen;
        if (o.showIcons && item[0] == 0x10) {
            ASSERT_NE(item.find('\x11'), std::string::npos);
        } else {
            ASSERT_TRUE(isxdigit(static_cast<unsigned char>(item[0]))) << item;
        }
        if (!o.showSeparators) ASSERT_EQ(item.find('\x13'), std::string::npos);
    }
    ASSERT_EQ(seen, octets);
}

}  // namespace

TEST(DetailRobustness, RandomFramesGiveOneItemPerOctetPlusTitles) {
    std::mt19937 rng(20240611);
    DetailDecoder decoder;
    for (int i = 0; i < 3000; ++i) {
        std::vector<uint8_t> bytes = RandomFrame(rng);
        FrameRecord r(static_cast<uint8_t>(i & 1));
        r.SetBytes(bytes.data(), bytes.size());
        CheckItems(Items(decoder, r, Names(), i & 4, i & 8, i & 2), bytes.size(),
                   Options(i & 2, i & 4, i & 8));
        if (HasFatalFailure()) return;
    }
}

TEST(DetailRobustness, ShortFramesAndCutHeaders) {
    // Layer-3 headers and elements cut short by the frame check sequence.
    const std::vector<std::vector<uint8_t>> bodies = {
        {}, {0x00}, {0x00, 0x01}, {0x00, 0x00, 0x00}, {0x00, 0x01, 0x00},
        {0x00, 0x01, 0x00, 0x00, 0x08}, {0x00, 0x01, 0x00, 0x00, 0x08, 0x0F},
        {0x00, 0x01, 0x03, 0x08, 0x02, 0x81}, {0x00, 0x01, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05, 0x1C},
        {0x00, 0x01, 0x00, 0x00, 0x08, 0x01, 0x01, 0x05, 0x08, 0xFF, 0x80, 0x90},
        {0x40, 0x01, 0x00, 0x00, 0x10}, {0xFC, 0xFF, 0x03, 0x0F},
    };
    std::vector<FrameRecord> records;
    for (const auto& body : bodies) records.push_back(FcsFrame(body));
    for (size_t n = 0; n < 6; ++n) {  // without flags or FCS at all
        std::vector<uint8_t> raw(n, 0x00);
        records.emplace_back().SetBytes(raw.data(), raw.size());
    }
    DetailDecoder decoder;
    for (const FrameRecord& r : records)
        CheckItems(Items(decoder, r, Names(), true, true, true), r.Length(), Options(true, true, true));
}

TEST(DetailRobustness, AddressWithoutEndIsAllAddress) {
    auto items = Items(FcsFrame({0x00, 0x00, 0x00, 0x02}));
    EXPECT_EQ(items[3], S("\x10" "AF+02\x11" "00\t"));
    EXPECT_EQ(items[4], S("\x10" "AF+03\x11" "02\t"));
    // Without an address end there is no TEI to show.
    EXPECT_EQ(items[2], S("\x10" "AF+01\x11" "00\t"));
}

TEST(DetailEntriesList, EntriesAreTheDetailItems) {
    FrameRecord r = Q931Frame({0x01, 0x01}, 0x05, {0x18, 0x03, 0xA9, 0x83, 0x81});
    DisplayOptions o = Options(true, true, true);
    DetailDecoder decoder;
    std::vector<std::string> expected;
    decoder.Build(r, o, Names(), expected);

    std::vector<std::string> entries{"stale"};
    ASSERT_TRUE(DetailEntries::Build(decoder, r, o, Names(), entries));
    EXPECT_EQ(entries, expected);
    ASSERT_TRUE(DetailEntries::Build(r, o, Names(), entries));
    EXPECT_EQ(entries, expected);

    DetailEntries list(r, o, Names());
    EXPECT_TRUE(list.Built());
    ASSERT_EQ(list.EntryCount(), r.Length() + 4);
    EXPECT_EQ(list.EntryText(0), S("\x10" "Flag\x11" "7E\t01111110\tHDLC flag"));
    EXPECT_EQ(list.EntryText(1), S("\x12＜＜アドレスフィールド＞＞"));
    EXPECT_EQ(list.EntryText(list.EntryCount()), "");
}
