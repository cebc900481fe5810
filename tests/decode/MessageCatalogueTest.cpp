#include "decode/MessageCatalogue.h"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/TestSupport.h"

using namespace testsupport;

using MC = MessageCatalogue;

namespace {

MessageCatalogue FromBytes(std::string_view bytes) {
    MessageCatalogue c;
    c.LoadText(bytes);
    return c;
}

}  // namespace

TEST(MessageCatalogueSections, EveryLabelFillsItsOwnSection) {
    std::string text;
    for (size_t s = 0; s < MC::kSectionCount; ++s)
        text += std::string(MC::Label(MC::Section(s))) + "\n0x01=\"S" + std::to_string(s) + "\"\n";
    MessageCatalogue c = FromBytes(text);
    for (size_t s = 0; s < MC::kSectionCount; ++s)
        EXPECT_EQ(c.Lookup(MC::Section(s), 0x01), "S" + std::to_string(s)) << MC::Label(MC::Section(s));
    EXPECT_EQ(MC::Label(MC::IF_CHIDT33B), "IF_CHIDT33B:");
    EXPECT_EQ(MC::Label(MC::CRC), "CRC:");
}

TEST(MessageCatalogueSections, LabelsAnywhereInTestOrderAndRepeated) {
    MessageCatalogue c = FromBytes(
        "0x01=\"before any label\"\n"
        "IF_MESSAGE:\n0x05=\"SETUP\"\n"
        "0x06=\"bad CRC: text\"\n"           // a label inside a text makes a section line
        "0x00=\"after\"\n"
        "junk CRC: AF_TEI: behind\n"          // AF_TEI: is tested before CRC:
        "0x00=\"tei\"\n"
        "IF_MESSAGE: 0x07=\"lost\"\n"         // nothing behind a label is read
        "0x5A=\"RELEASE COMPLETE\"\n0x05=\"second\"\n"
        "crc:\n0x08=\"labels are case-sensitive\"\n");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x05), "SETUP");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x06), "0x06");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x07), "0x07");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x5A), "RELEASE COMPLETE");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x08), "labels are case-sensitive");
    EXPECT_EQ(c.Entries(MC::IF_MESSAGE).size(), 4u);
    EXPECT_EQ(c.Lookup(MC::CRC, 0x00), "after");
    EXPECT_EQ(c.Lookup(MC::AF_TEI, 0x00), "tei");
    EXPECT_EQ(c.Lookup(MC::AF_SAPI, 0x01), "0x01");
}

TEST(MessageCatalogueLines, LastLineWithoutLineFeedIsNotRead) {
    MessageCatalogue c = FromBytes("CRC:\n0x00=\"good\"\n0x01=\"bad\"");
    EXPECT_EQ(c.Lookup(MC::CRC, 0x00), "good");
    EXPECT_EQ(c.Lookup(MC::CRC, 0x01), "0x01");
    EXPECT_TRUE(FromBytes("0x00=\"x\"\nCRC:").Entries(MC::CRC).empty());
}

TEST(MessageCatalogueLines, OnlyTheFirst255BytesCount) {
    // Closing quote beyond the cut: the text runs to the cut. The rest of
    // a long line is dropped, not read as lines; a label beyond the cut is
    // not seen.
    std::string huge = "0x02=\"" + std::string(10000, 'B') + "IF_MESSAGE:\"";
    std::string exact = "0x03=" + std::string(249, 'E') + "Z";
    MessageCatalogue c = FromBytes("CRC:\n" + huge + "\n0x04=\"x\"\n" + exact + "\n");
    EXPECT_TRUE(c.Entries(MC::IF_MESSAGE).empty());
    EXPECT_EQ(c.Entries(MC::CRC).size(), 3u);
    EXPECT_EQ(c.Lookup(MC::CRC, 0x02), std::string(249, 'B'));
    EXPECT_EQ(c.Lookup(MC::CRC, 0x04), "x");
    EXPECT_EQ(c.Lookup(MC::CRC, 0x03).back(), 'Z');  // exactly 255 bytes
}

TEST(MessageCatalogueLines, CommentsLineEndsAndWhiteSpace) {
    MessageCatalogue c = FromBytes(
        "; CRC: in a comment opens nothing\n"
        "IF_MESSAGE:   ; comment\n"
        "\t \v\f0x01=\"tabbed\"\r\n"
        "0x02=plain\r\n"
        "0x03=\"semi;colon\"\n"
        "   \t \n\r\n"
        "0x05=\"cr\rcut\"\n");
    EXPECT_TRUE(c.Entries(MC::CRC).empty());
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x01), "tabbed");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x02), "plain");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x03), "semi");
    EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, 0x05), "cr");
}

TEST(MessageCatalogueLines, CodeParts) {
    MessageCatalogue c = FromBytes(
        "IF_MESSAGE:\n0x3=\"three\"\n0x123=\"twelve\"\n0x0f=\"lower\"\nab2A=\"any two first\"\n"
        "0x10-0x1F=\"range\"\n0x30 - 0x3F=\"spaced\"\n0x40-0xZZ=\"bad high\"\n"
        "0x60-0x50=\"reversed\"\n0x70-0x7=\"short high\"\n==0x90=\"leading equals\"\n"
        "0xZZ=\"no digits\"\n5=\"too short\"\n0x=\"empty\"\n0x 81=\"space\"\n0xA0\n====\n");
    const std::pair<int, const char*> expected[] = {
        {0x03, "three"}, {0x12, "twelve"}, {0x0F, "lower"}, {0x2A, "any two first"},
        {0x10, "range"}, {0x1F, "range"}, {0x20, "0x20"}, {0x30, "spaced"}, {0x31, "0x31"},
        {0x40, "bad high"}, {0x41, "0x41"}, {0x55, "0x55"}, {0x60, "0x60"}, {0x70, "0x70"},
        {0x81, "0x81"}, {0x90, "leading equals"}, {0xA0, "0xA0"}};
    for (auto [code, text] : expected) EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, code), text) << code;
    EXPECT_EQ(c.Entries(MC::IF_MESSAGE).size(), 10u);
}

TEST(MessageCatalogueLines, TextParts) {
    MessageCatalogue c = Catalogue(
        "CF_FRAME:\n0x01=\"ABC\"\n0x02=ABC\n0x03= \"ABC\"\n0x04=\"\"\n0x05=\"\"\"DEF\"GHI\"\n"
        "0x06=A=B\n0x07=\"日本語のﾃｷｽﾄ\"\n0x08=\n");
    const std::pair<int, std::string> expected[] = {{1, "ABC"}, {2, "ABC"}, {3, " "}, {4, "0x04"},
        {5, "DEF"}, {6, "A=B"}, {7, Sjis("日本語のﾃｷｽﾄ")}, {8, "0x08"}};
    for (const auto& [code, text] : expected) EXPECT_EQ(c.Lookup(MC::CF_FRAME, code), text) << code;
}

TEST(MessageCatalogueLookup, FirstEntryWinsAndEverythingElseIsHex) {
    MessageCatalogue c = FromBytes("AF_SAPI:\n0x00-0x0F=\"wide\"\n0x05=\"narrow\"\n0xFE-0xFF=\"top\"\n");
    EXPECT_EQ(c.Lookup(MC::AF_SAPI, 0x05), "wide");
    EXPECT_EQ(c.Lookup(MC::AF_SAPI, 0x10), "0x10");
    EXPECT_EQ(c.Lookup(MC::AF_SAPI, 0xFF), "top");
    MessageCatalogue empty;
    EXPECT_EQ(empty.Lookup(MC::IF_MESSAGE, 0xA5), "0xA5");
    EXPECT_EQ(empty.Lookup(MC::AF_TEI, 0x0F), "0x0F");
    EXPECT_EQ(&empty.Lookup(MC::CRC, 0x3C), &c.Lookup(MC::IF_MESSAGE, 0x3C));  // prebuilt texts
}

TEST(MessageCatalogueFiles, MissingFileLeavesEverythingHexAndAFileReplacesContents) {
    MessageCatalogue c = FromBytes("CRC:\n0x00=\"good\"\n");
    EXPECT_FALSE(c.LoadFile("/nonexistent/HDLC.msg"));
    EXPECT_EQ(c.Lookup(MC::CRC, 0x00), "0x00");
    EXPECT_FALSE(c.LoadFile("/"));
    TempFolder folder;
    ASSERT_TRUE(WriteFile(folder.Path() + "/HDLC.msg", Sjis("CRC:\n0x01=\"異常\"\n")));
    EXPECT_TRUE(c.LoadFile(folder.Path() + "/HDLC.msg"));
    EXPECT_EQ(c.Lookup(MC::CRC, 0x01), Sjis("異常"));
}

TEST(MessageCatalogueBadInput, RandomBytesGiveOnlyWellFormedEntries) {
    std::mt19937 rng(7);
    const std::string_view alphabet = "0x1F-=\";\r\n\t AF_SAPI:CRC:";
    for (int round = 0; round < 300; ++round) {
        std::string bytes(rng() % 2000, '\0');
        for (char& b : bytes)
            b = (rng() % 2) ? static_cast<char>(rng()) : alphabet[rng() % alphabet.size()];
        MessageCatalogue c = FromBytes(bytes);
        for (size_t s = 0; s < MC::kSectionCount; ++s) {
            for (const CatalogueEntry& e : c.Entries(MC::Section(s))) {
                ASSERT_FALSE(e.text.empty());
                ASSERT_LE(e.text.size(), 251u);  // "0xN=" at least stands before it
                ASSERT_EQ(e.text.find_first_of("\";\r\n"), std::string::npos);
            }
        }
    }
}
