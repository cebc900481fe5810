// The catalogue that the build puts beside every program.
#include <gtest/gtest.h>

#include <vector>

#include "base/ProgramFolder.h"
#include "decode/MessageCatalogue.h"

using MC = MessageCatalogue;

namespace {

struct KnownCodes {
    MC::Section section;
    std::vector<uint8_t> codes;
};

// Codes every catalogue must name, keyed as the decoders derive them.
const KnownCodes kKnown[] = {
    {MC::AF_SAPI, {0x00, 0x10, 0x3F}},
    {MC::AF_TEI, {0x00, 0x40, 0x7F}},
    {MC::AF_UCR, {0x00, 0x02}},
    {MC::CF_FRAME, {0x00, 0x01, 0x05, 0x09, 0x6F, 0x43, 0x63, 0x0F, 0x03, 0x87}},
    {MC::CF_PF, {0x00, 0x01}},
    {MC::IF_L2MG_MSG, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07}},
    {MC::IF_L2MG_AI1, {0x7F}},  // action indicator = octet 4 >> 1
    {MC::IF_L2MG_AI2, {0x40}},
    {MC::IF_L2MG_AI4, {0x7F}},
    {MC::IF_L2MG_AI6, {0x7F}},
    {MC::IF_PROTOCOL, {0x08}},
    {MC::IF_CALLNUMFLG, {0x00, 0x01}},
    {MC::IF_CALLNUMLEN, {0x02}},
    {MC::IF_MESSAGE, {0x01, 0x02, 0x05, 0x07, 0x0F, 0x45, 0x4D, 0x5A, 0x7D}},
    {MC::IF_X25_PTYPE, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}},
    {MC::IF_CA_CA, {0x10}},  // cause value = octet 4 AND 0x7F
    {MC::CRC, {0x00, 0x01}},
};

}  // namespace

TEST(ShippedCatalogue, EverySectionHasEntriesAndKnownCodesHaveNames) {
    MessageCatalogue c;
    ASSERT_TRUE(c.LoadFile(ProgramFolder::Path() + "HDLC.msg"));
    for (size_t s = 0; s < MC::kSectionCount; ++s) {
        auto section = static_cast<MC::Section>(s);
        EXPECT_FALSE(c.Entries(section).empty()) << MC::Label(section);
    }
    for (const KnownCodes& known : kKnown)
        for (uint8_t code : known.codes)
            EXPECT_NE(c.Lookup(known.section, code), MC::HexText(code))
                << MC::Label(known.section) << " " << MC::HexText(code);
    // The program-wide catalogue is this file.
    EXPECT_EQ(MC::Program().Lookup(MC::IF_MESSAGE, 0x5A), c.Lookup(MC::IF_MESSAGE, 0x5A));
}
