#pragma once
// The detail tests' catalogue, display options and item lists.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "decode/DetailDecoder.h"
#include "options/DisplayOptions.h"
#include "tests/support/TestSupport.h"

namespace testsupport {

constexpr auto S = Sjis;

// Octets 1..n-1 of a Q931 frame start at this position of the first element.
constexpr int kFirstElement = 9;

inline DisplayOptions Options(bool titles, bool icons, bool separators) {
    DisplayOptions o;
    o.showTitles = titles;
    o.showIcons = icons;
    o.showSeparators = separators;
    return o;
}

// The small catalogue most tests name their codes from.
inline const MessageCatalogue& Names() {
    static const MessageCatalogue c = Catalogue(
        "AF_SAPI:\n0x00=\"呼制御\"\n0x10=\"ﾊﾟｹｯﾄ\"\n0x3F=\"L2管理\"\n"
        "AF_TEI:\n0x00-0x3F=\"固定\"\n0x40-0x7E=\"自動\"\nAF_UCR:\n0x00=\"ｺﾏﾝﾄﾞ\"\n0x02=\"ﾚｽﾎﾟﾝｽ\"\n"
        "CF_FRAME:\n0x00=\"I\"\n0x01=\"RR\"\n0x6F=\"SABME\"\n0x03=\"UI\"\n"
        "CF_PF:\n0x00=\"0\"\n0x01=\"1\"\nIF_L2MG_MSG:\n0x01=\"ID要求\"\nIF_L2MG_AI1:\n0x7F=\"任意\"\n"
        "IF_PROTOCOL:\n0x08=\"Q.931\"\nIF_CALLNUMFLG:\n0x00=\"発側\"\n0x01=\"着側\"\n"
        "IF_CALLNUMLEN:\n0x02=\"2ｵｸﾃｯﾄ\"\n"
        "IF_MESSAGE:\n0x05=\"SETUP\"\n0x45=\"DISC\"\n0x7D=\"STATUS\"\n0x7B=\"INFO\"\n"
        "IF_OTHERINFO:\n0x04=\"伝達能力\"\n0x08=\"理由表示\"\n0x14=\"呼状態\"\n0x18=\"ﾁｬﾈﾙ識別子\"\n"
        "0x1C=\"ﾌｧｼﾘﾃｨ\"\n0x7E=\"ﾕｰｻﾞ･ﾕｰｻﾞ\"\n0x90=\"ｼﾌﾄ\"\n"
        "IF_CHIDT3:\n0xBF=\"明示なし\"\n0x40=\"明示\"\n0x20=\"一次群\"\n0xF7=\"優先\"\n0x08=\"専用\"\n"
        "0xFB=\"Dでない\"\n0x21=\"B1\"\n"
        "IF_CHIDT32:\n0x00=\"CCITT\"\n0xEF=\"番号\"\n0x10=\"ﾏｯﾌﾟ\"\n0x03=\"Bch\"\n"
        "IF_CHIDT331:\n0xFF=\"使用\"\n0x00=\"未使用\"\n0x01=\"[17]\"\n0x02=\"[18]\"\n0x04=\"[19]\"\n"
        "0x08=\"[20]\"\n0x10=\"[21]\"\n0x20=\"[22]\"\n0x40=\"[23]\"\n0x80=\"[24]\"\n"
        "IF_CHIDT332:\n0xFF=\"使用\"\n0x00=\"未使用\"\n0x01=\"[9]\"\n0x80=\"[16]\"\n"
        "IF_CHIDT333:\n0xFF=\"使用\"\n0x00=\"未使用\"\n0x01=\"[1]\"\n0x02=\"[2]\"\n0x04=\"[3]\"\n"
        "0x08=\"[4]\"\n0x10=\"[5]\"\n0x20=\"[6]\"\n0x40=\"[7]\"\n0x80=\"[8]\"\n"
        "IF_BC_CN:\n0x00=\"CCITT\"\nIF_BC_IT:\n0x00=\"音声\"\n0x08=\"非制限\"\nIF_BC_TM:\n0x00=\"回線\"\n"
        "IF_BC_TS:\n0x10=\"64k\"\nIF_BC_LAYER:\n0x20=\"ﾚｲﾔ1\"\n0x40=\"ﾚｲﾔ2\"\n0x60=\"ﾚｲﾔ3\"\n"
        "IF_BC_L1P:\n0x03=\"A則\"\nIF_BC_L2P:\n0x02=\"Q.921\"\nIF_CA_CN:\n0x00=\"CCITT\"\n"
        "IF_CA_GE:\n0x00=\"ﾕｰｻﾞ\"\n0x02=\"公衆網\"\n"
        "IF_CA_CA:\n0x10=\"正常切断\"\n0x62=\"ﾒｯｾｰｼﾞ不一致\"\n0x66=\"ﾀｲﾏ満了\"\nIF_CA_DG:\n0x01=\"診断1\"\n"
        "IF_SHIFT:\n0x06=\"ｺｰﾄﾞ群6\"\nIF_CS_CS:\n0x00=\"CCITT\"\nIF_CS_NUMBER:\n0x0A=\"通信中\"\n"
        "IF_CS_GLOBAL:\n0x00=\"REST0\"\nIF_USERUSER:\n0x04=\"IA5\"\nIF_FACILITY:\n0x11=\"遠隔操作\"\n"
        "IF_FACILITY_COMPONENT_KIND:\n0xA1=\"起動\"\n0xA2=\"結果\"\n"
        "IF_FACILITY_COMPONENT_IDENTITY:\n0x02=\"起動識別子\"\n"
        "IF_FACILITY_OPERATION_VALUE:\n0x06=\"OID\"\nIF_FACILITY_PARAMETER:\n0x31=\"SET\"\n"
        "IF_X25_PTYPE:\n0x00=\"CR,発呼要求\"\n0x01=\"CN,着呼\"\n0x08=\"SQ,再開要求\"\n0x09=\"SI,再開指示\"\n"
        "0x0B=\"DT,ﾃﾞｰﾀ\"\n0x0C=\"RR,受信可\"\nIF_X25_RECAUSE:\n0x07=\"網運用開始\"\n"
        "IF_X25_DIAG:\n0x00=\"情報なし\"\nIF_X25_UF:\n0x42=\"ﾊﾟｹｯﾄｻｲｽﾞ\"\n"
        "CRC:\n0x00=\"OK\"\n0x01=\"NG\"\n");
    return c;
}

// Items with titles off, so items[p] is the item of octet p.
inline std::vector<std::string> Items(DetailDecoder& decoder, const FrameRecord& record,
                                      const MessageCatalogue& catalogue, bool icons = true,
                                      bool separators = false, bool titles = false) {
    std::vector<std::string> items;
    decoder.Build(record, Options(titles, icons, separators), catalogue, items);
    return items;
}

inline std::vector<std::string> Items(const FrameRecord& record, const MessageCatalogue& catalogue = Names(),
                                      bool icons = true, bool separators = false, bool titles = false) {
    DetailDecoder decoder;
    return Items(decoder, record, catalogue, icons, separators, titles);
}

// An octet item with its icon tag: the tag, the offset in two hex digits, the rest.
inline std::string Tagged(std::string_view tag, int offset, std::string_view rest) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", offset);
    return "\x10" + Sjis(tag) + hex + "\x11" + Sjis(rest);
}

// One expected item: items[base + at]. A text with a TAB that does not start
// with its own tag gets the case's tag with `at` as offset; other texts are
// compared as they are.
struct Want {
    int at;
    std::string_view text;
};

inline void ExpectItems(const std::vector<std::string>& items, int base, std::string_view tag,
                        const std::vector<Want>& wants) {
    for (const Want& w : wants) {
        const size_t p = static_cast<size_t>(base + w.at);
        ASSERT_LT(p, items.size()) << w.at;
        const bool tagged = w.text.find('\t') != std::string_view::npos && w.text[0] != '\x10';
        EXPECT_EQ(items[p], tagged ? Tagged(tag, w.at, w.text) : Sjis(w.text)) << "item " << w.at;
    }
}

}  // namespace testsupport
