// A SETUP decoded with the catalogue that ships beside the program.
#include <gtest/gtest.h>

#include "tests/support/DetailSupport.h"
#include "base/ProgramFolder.h"

using namespace testsupport;

TEST(ShippedCatalogueDetail, SetupNamesEveryElement) {
    MessageCatalogue c;
    ASSERT_TRUE(c.LoadFile(ProgramFolder::Path() + "HDLC.msg"));
    FrameRecord r = Q931Frame({0x02, 0x00, 0x01}, 0x05,
                         {0xA1, 0x04, 0x03, 0x80, 0x90, 0xA3, 0x18, 0x03, 0xA9, 0x83, 0x81,
                          0x1E, 0x02, 0x81, 0x83, 0x6C, 0x06, 0x21, 0x83, 0x33, 0x34, 0x35, 0x36,
                          0x70, 0x04, 0x81, 0x31, 0x32, 0x33, 0x7D, 0x02, 0x91, 0x81});
    auto items = Items(r, c, true, true);
    const std::string label = S("情報要素識別子=");
    int identifiers = 0;
    for (const auto& item : items) {
        size_t at = item.find(label);
        if (at == std::string::npos) continue;
        ++identifiers;
        EXPECT_NE(item.compare(at + label.size(), 2, "0x"), 0) << item;
    }
    EXPECT_EQ(identifiers, 7);
    EXPECT_EQ(items[10].find("0x"), std::string::npos) << items[10];  // message type
}
