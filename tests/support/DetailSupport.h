#pragma once
// The one catalogue of the decoder tests and fuzz targets, and the detail
// items of a frame. Free of GoogleTest, so the fuzz targets include it too.
#include <string>
#include <string_view>
#include <vector>

#include "decode/DetailDecoder.h"
#include "tests/support/TestSupport.h"

namespace testsupport {

constexpr auto S = Sjis;

// Ranges, names with one, two and no comma, and the codes the tests name.
inline const MessageCatalogue& Names() {
    static const MessageCatalogue c = Catalogue(
        "AF_SAPI:\n0x00=\"呼制御\"\n0x3F=\"L2管理\"\nAF_TEI:\n0x00-0x3F=\"固定\"\n0x40-0x7E=\"自動\"\nAF_UCR:\n0x00=\"ｺﾏﾝﾄﾞ\"\n"
        "0x02=\"ﾚｽﾎﾟﾝｽ\"\nCF_FRAME:\n0x00=\"I\"\n0x01=\"RR\"\n0x6F=\"SABME\"\n0x03=\"UI\"\nCF_PF:\n0x00=\"0\"\n"
        "0x01=\"1\"\nIF_L2MG_MSG:\n0x01=\"ID要求\"\nIF_L2MG_AI1:\n0x7F=\"任意\"\nIF_L2MG_AI2:\n0x40-0x7E=\"割当TEI\"\n"
        "IF_PROTOCOL:\n0x08=\"Q.931\"\nIF_CALLNUMFLG:\n0x00=\"発側\"\n0x01=\"着側\"\nIF_CALLNUMLEN:\n0x02=\"2ｵｸﾃｯﾄ\"\n"
        "IF_MESSAGE:\n0x05=\"SETUP\"\n0x45=\"DISC\"\n0x7D=\"STATUS\"\n0x7B=\"INFO\"\nIF_OTHERINFO:\n0x18=\"ﾁｬﾈﾙ識別子\"\n"
        "0x90=\"ｼﾌﾄ\"\nIF_CHIDT3:\n0xBF=\"明示なし\"\n0x40=\"明示\"\n0x20=\"一次群\"\n0x08=\"専用\"\n0xFB=\"Dでない\"\n0x21=\"B1\"\n"
        "IF_CHIDT32:\n0x00=\"CCITT\"\n0xEF=\"番号\"\n0x10=\"ﾏｯﾌﾟ\"\n0x03=\"Bch\"\nIF_CHIDT33A:\n0xFF=\"U\"\n0x00=\"N\"\n"
        "0x01=\"a\"\n0x02=\"b\"\n0x04=\"c\"\n0x08=\"d\"\nIF_CHIDT33B:\n0xFF=\"U\"\n0x00=\"N\"\n0x01=\"h\"\n"
        "IF_CHIDT331:\n0xFF=\"使用\"\n0x00=\"未使用\"\n0x01=\"[17]\"\n0x02=\"[18]\"\n0x04=\"[19]\"\n0x08=\"[20]\"\n"
        "0x10=\"[21]\"\n0x20=\"[22]\"\n0x40=\"[23]\"\n0x80=\"[24]\"\nIF_CHIDT332:\n0xFF=\"使用\"\n0x00=\"未使用\"\n"
        "0x01=\"[9]\"\n0x80=\"[16]\"\nIF_CHIDT333:\n0xFF=\"使用\"\n0x00=\"未使用\"\n0x01=\"[1]\"\n0x02=\"[2]\"\n"
        "0x04=\"[3]\"\n0x08=\"[4]\"\n0x10=\"[5]\"\n0x20=\"[6]\"\n0x40=\"[7]\"\n0x80=\"[8]\"\nIF_BC_CN:\n"
        "0x00=\"CCITT\"\nIF_BC_IT:\n0x00=\"音声\"\nIF_BC_TM:\n0x00=\"回線\"\nIF_BC_TS:\n0x10=\"64k\"\nIF_BC_LAYER:\n"
        "0x20=\"ﾚｲﾔ1\"\n0x40=\"ﾚｲﾔ2\"\n0x60=\"ﾚｲﾔ3\"\nIF_BC_L1P:\n0x03=\"A則\"\nIF_BC_L2P:\n0x02=\"Q.921\"\nIF_CA_CN:\n"
        "0x00=\"CCITT\"\nIF_CA_GE:\n0x00=\"ﾕｰｻﾞ\"\n0x02=\"公衆網\"\nIF_CA_CA:\n0x10=\"正常切断\"\n0x62=\"ﾒｯｾｰｼﾞ不一致\"\n"
        "0x66=\"ﾀｲﾏ満了\"\nIF_CA_DG:\n0x01=\"診断1\"\nIF_SHIFT:\n0x06=\"ｺｰﾄﾞ群6\"\nIF_BCI3:\n0x40=\"ID\"\n0xDF=\"BRI\"\n"
        "0x02=\"s2\"\n0xFE=\"n1\"\nIF_BCI32:\n0x00=\"CCITT\"\n0x10=\"MAP\"\n0x03=\"B\"\nIF_FACILITY:\n0x11=\"遠隔操作\"\n"
        "IF_FACILITY_COMPONENT_KIND:\n0xA1=\"起動\"\n0xA2=\"結果\"\nIF_FACILITY_COMPONENT_IDENTITY:\n0x02=\"起動識別子\"\n"
        "IF_FACILITY_OPERATION_VALUE:\n0x06=\"OID\"\nIF_FACILITY_PARAMETER:\n0x31=\"SET\"\nIF_CS_CS:\n0x00=\"CCITT\"\n"
        "IF_CS_NUMBER:\n0x0A=\"通信中\"\nIF_CS_GLOBAL:\n0x00=\"REST0\"\nIF_PB_PRM:\n0x18=\"FS\"\n0xFB=\"-\"\n0x02=\"D\"\n"
        "0xFE=\"m8\"\nIF_USERUSER:\n0x04=\"IA5\"\nIF_X25_PTYPE:\n0x00=\"CR,発呼要求\"\n0x01=\"CN,着呼\"\n0x08=\"SQ,再開要求\"\n"
        "0x09=\"SI,再開指示\"\n0x0B=\"DT,ﾃﾞｰﾀ,D\"\n0x0C=\"受信可\"\nIF_X25_RECAUSE:\n0x07=\"網運用開始\"\nIF_X25_DIAG:\n"
        "0x00=\"情報なし\"\nIF_X25_UF:\n0x01=\"FS\"\n0x42=\"ﾊﾟｹｯﾄｻｲｽﾞ\"\nIF_X25_UF_PAYREQ:\n0x01=\"着課金\"\nIF_X25_UF_FAST:\n"
        "0x80=\"制限\"\nCRC:\n0x00=\"OK\"\n0x01=\"NG\"\n");
    return c;
}

inline DisplayOptions DetailSwitches(bool titles, bool icons, bool separators) {
    DisplayOptions o;
    o.showTitles = titles;
    o.showIcons = icons;
    o.showSeparators = separators;
    return o;
}

// The detail items of a frame; with titles off items[p] is the item of octet p.
// A decoder of its own unless one is given.
inline std::vector<std::string> Items(const FrameRecord& r, bool titles = false, bool icons = true,
                                      bool separators = false, DetailDecoder* decoder = nullptr) {
    DetailDecoder fresh;
    std::vector<std::string> items;
    (decoder ? *decoder : fresh).Build(r, DetailSwitches(titles, icons, separators), Names(), items);
    return items;
}

}  // namespace testsupport
