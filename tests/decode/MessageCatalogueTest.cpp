// The catalogue reader, and the catalogue that the build puts beside every program.
#include "decode/MessageCatalogue.h"

#include <gtest/gtest.h>

#include "base/ProgramFolder.h"
#include "tests/support/TestSupport.h"

using namespace testsupport;
using MC = MessageCatalogue;
constexpr auto S = Sjis;

TEST(MessageCatalogue, EveryLabelFillsItsOwnSection) {
    std::string text;
    for (size_t s = 0; s < MC::kSectionCount; ++s)
        text += std::string(MC::Label(MC::Section(s))) + "\n0x01=\"S" + std::to_string(s) + "\"\n";
    MessageCatalogue c = Catalogue(text);
    for (size_t s = 0; s < MC::kSectionCount; ++s)
        EXPECT_EQ(c.Lookup(MC::Section(s), 0x01), "S" + std::to_string(s)) << MC::Label(MC::Section(s));
    EXPECT_TRUE(c.Entries(MC::Section(MC::kSectionCount)).empty());
}

TEST(MessageCatalogue, LineSyntax) {
    MessageCatalogue c = Catalogue(
        "0x01=\"before any label\"\nIF_MESSAGE:   ; comment\n; CRC: in a comment opens nothing\n"
        "\t \v\f0x01=\"tabbed\"\r\n0x02=plain\r\n0x03=\"semi;colon\"\n   \t \n\r\n0x05=\"cr\rcut\"\n0x4=\"four\"\n"
        "0x123=\"twelve\"\n0x0f=\"lower\"\nab2A=\"any two first\"\n0x10-0x1F=\"range\"\n0x30 - 0x3F=\"spaced\"\n"
        "0x40-0xZZ=\"bad high\"\n0x60-0x50=\"reversed\"\n0x70-0x7=\"short high\"\n==0x90=\"leading equals\"\n"
        "0xZZ=\"no digits\"\n5=\"too short\"\n0x=\"empty\"\n0x 81=\"space\"\n0xA0\n====\n0xB1=ABC\n0xB2= \"ABC\"\n"
        "0xB3=\"\"\n0xB4=\"\"\"DEF\"GHI\"\n0xB5=A=B\n0xB6=\n0xB7=\"日本語のﾃｷｽﾄ\"\n0xF0-0xFF=\"top\"\n"
        "0xC0=\"" + std::string(10000, 'B') + "CRC:\"\n"  // only 255 bytes of a line count
        "0xC1=\"" + std::string(248, 'E') + "Z\n"
        "0x06=\"bad CRC: text\"\n0x00=\"crc\"\n"     // a label inside a text makes a section line
        "junk CRC: AF_TEI: behind\n0x00=\"tei\"\n"  // AF_TEI: is tested before CRC:
        "IF_MESSAGE: 0x07=\"lost\"\n0x5A=\"again\"\ncrc:\n0x08=\"case-sensitive\"\n"
        "CRC:\n0x01=\"no line feed\"");
    const std::pair<int, std::string> expected[] = {
        {0x00, "0x00"}, {0x01, "tabbed"}, {0x02, "plain"}, {0x03, "semi"}, {0x04, "four"}, {0x05, "cr"},
        {0x06, "0x06"}, {0x07, "0x07"}, {0x08, "case-sensitive"}, {0x12, "twelve"}, {0x0F, "lower"},
        {0x2A, "any two first"}, {0x10, "range"}, {0x1F, "range"}, {0x20, "0x20"}, {0x30, "spaced"},
        {0x31, "0x31"}, {0x40, "bad high"}, {0x41, "0x41"}, {0x55, "0x55"}, {0x60, "0x60"},
        {0x70, "0x70"}, {0x81, "0x81"}, {0x90, "leading equals"}, {0xA0, "0xA0"}, {0xB1, "ABC"},
        {0xB2, " "}, {0xB3, "0xB3"}, {0xB4, "DEF"}, {0xB5, "A=B"}, {0xB6, "0xB6"},
        {0xB7, S("日本語のﾃｷｽﾄ")}, {0xFF, "top"}, {0xC0, std::string(249, 'B')},
        {0xC1, std::string(248, 'E') + "Z"}, {0x5A, "again"}};
    for (const auto& [code, text] : expected) EXPECT_EQ(c.Lookup(MC::IF_MESSAGE, code), text) << code;
    EXPECT_EQ(c.Entries(MC::IF_MESSAGE).size(), 24u);
    EXPECT_EQ((std::vector{c.Lookup(MC::CRC, 0x00), c.Lookup(MC::CRC, 0x01), c.Lookup(MC::AF_TEI, 0x00),
                           c.Lookup(MC::AF_SAPI, 0x01)}),
              (std::vector<std::string>{"crc", "0x01", "tei", "0x01"}));
}

// A file that cannot be read empties the contents; the shipped one fills them.
TEST(ShippedCatalogue, ReplacesTheContentsAndNamesEverySectionAndTheCodesTheDecodersDerive) {
    MessageCatalogue c = Catalogue("CRC:\n0x00=\"good\"\n");
    EXPECT_FALSE(c.LoadFile("/nonexistent/HDLC.msg"));
    EXPECT_EQ(c.Lookup(MC::CRC, 0x00), "0x00");
    EXPECT_FALSE(c.LoadFile("/"));
    ASSERT_TRUE(c.LoadFile(ProgramFolder::Path() + "HDLC.msg"));
    for (size_t s = 0; s < MC::kSectionCount; ++s)
        EXPECT_FALSE(c.Entries(MC::Section(s)).empty()) << MC::Label(MC::Section(s));
    const std::pair<MC::Section, std::vector<uint8_t>> known[] = {
        {MC::AF_SAPI, {0x00, 0x10, 0x3F}}, {MC::AF_TEI, {0x00, 0x40, 0x7F}}, {MC::AF_UCR, {0x00, 0x02}},
        {MC::CF_FRAME, {0x00, 0x01, 0x05, 0x09, 0x6F, 0x43, 0x63, 0x0F, 0x03, 0x87}}, {MC::CF_PF, {0x00, 0x01}},
        {MC::IF_L2MG_MSG, {1, 2, 3, 4, 5, 6, 7}}, {MC::IF_L2MG_AI1, {0x7F}}, {MC::IF_L2MG_AI2, {0x40}},
        {MC::IF_L2MG_AI4, {0x7F}}, {MC::IF_L2MG_AI6, {0x7F}}, {MC::IF_PROTOCOL, {0x08}},
        {MC::IF_CALLNUMFLG, {0x00, 0x01}}, {MC::IF_CALLNUMLEN, {0x02}},
        {MC::IF_MESSAGE, {0x01, 0x02, 0x05, 0x07, 0x0F, 0x45, 0x4D, 0x5A, 0x7D}},
        {MC::IF_OTHERINFO, {0x04, 0x08, 0x18, 0x1C, 0x1E, 0x6C, 0x70, 0x7D, 0x90, 0xA1}},
        {MC::IF_X25_PTYPE, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
        {MC::IF_CA_CA, {0x10}}, {MC::CRC, {0x00, 0x01}}};
    for (const auto& [section, codes] : known)
        for (uint8_t code : codes)
            EXPECT_NE(c.Lookup(section, code), MC::HexText(code)) << MC::Label(section) << " " << int(code);
    // The program-wide catalogue is this file.
    EXPECT_EQ(MC::Program().Lookup(MC::IF_MESSAGE, 0x5A), c.Lookup(MC::IF_MESSAGE, 0x5A));
}
