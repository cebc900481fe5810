#include "DetailTestSupport.h"

#include "base/Cp932.h"

namespace detailtest {

FrameRecord Frame(const std::vector<uint8_t>& body, uint8_t direction) {
    uint16_t crc = 0xFFFF;
    for (uint8_t octet : body) {
        crc ^= octet;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    crc ^= 0xFFFF;
    std::vector<uint8_t> bytes{0x7E};
    bytes.insert(bytes.end(), body.begin(), body.end());
    bytes.push_back(static_cast<uint8_t>(crc & 0xFF));
    bytes.push_back(static_cast<uint8_t>(crc >> 8));
    bytes.push_back(0x7E);
    FrameRecord r(direction);
    r.SetBytes(bytes.data(), bytes.size());
    return r;
}

FrameRecord Q931(const std::vector<uint8_t>& callRef, uint8_t messageType,
                 const std::vector<uint8_t>& elements, uint8_t direction) {
    std::vector<uint8_t> body{0x00, 0x01, 0x00, 0x00, 0x08};
    body.insert(body.end(), callRef.begin(), callRef.end());
    body.push_back(messageType);
    body.insert(body.end(), elements.begin(), elements.end());
    return Frame(body, direction);
}

FrameRecord X25(const std::vector<uint8_t>& packet, uint8_t direction) {
    std::vector<uint8_t> body{0x40, 0x01, 0x00, 0x00};
    body.insert(body.end(), packet.begin(), packet.end());
    return Frame(body, direction);
}

DisplayOptions Options(bool titles, bool icons, bool separators) {
    DisplayOptions o;
    o.showTitles = titles;
    o.showIcons = icons;
    o.showSeparators = separators;
    return o;
}

MessageCatalogue Catalogue(std::string_view utf8) {
    MessageCatalogue c;
    c.LoadText(Cp932::FromUtf8(utf8));
    return c;
}

const MessageCatalogue& Names() {
    static const MessageCatalogue c = Catalogue(R"(
AF_SAPI:
0x00="呼制御"
0x10="ﾊﾟｹｯﾄ"
0x3F="L2管理"
AF_TEI:
0x00-0x3F="固定"
0x40-0x7E="自動"
AF_UCR:
0x00="ｺﾏﾝﾄﾞ"
0x02="ﾚｽﾎﾟﾝｽ"
CF_FRAME:
0x00="I"
0x01="RR"
0x6F="SABME"
0x03="UI"
CF_PF:
0x00="0"
0x01="1"
IF_L2MG_MSG:
0x01="ID要求"
IF_L2MG_AI1:
0x7F="任意"
IF_PROTOCOL:
0x08="Q.931"
IF_CALLNUMFLG:
0x00="発側"
0x01="着側"
IF_CALLNUMLEN:
0x02="2ｵｸﾃｯﾄ"
IF_MESSAGE:
0x05="SETUP"
0x45="DISC"
0x7D="STATUS"
0x7B="INFO"
IF_OTHERINFO:
0x04="伝達能力"
0x08="理由表示"
0x14="呼状態"
0x18="ﾁｬﾈﾙ識別子"
0x1C="ﾌｧｼﾘﾃｨ"
0x7E="ﾕｰｻﾞ･ﾕｰｻﾞ"
0x90="ｼﾌﾄ"
IF_CHIDT3:
0xBF="明示なし"
0x40="明示"
0x20="一次群"
0xF7="優先"
0x08="専用"
0xFB="Dでない"
0x21="B1"
IF_CHIDT32:
0x00="CCITT"
0xEF="番号"
0x10="ﾏｯﾌﾟ"
0x03="Bch"
IF_CHIDT331:
0xFF="使用"
0x00="未使用"
0x01="[17]"
0x02="[18]"
0x04="[19]"
0x08="[20]"
0x10="[21]"
0x20="[22]"
0x40="[23]"
0x80="[24]"
IF_CHIDT332:
0xFF="使用"
0x00="未使用"
0x01="[9]"
0x80="[16]"
IF_CHIDT333:
0xFF="使用"
0x00="未使用"
0x01="[1]"
0x02="[2]"
0x04="[3]"
0x08="[4]"
0x10="[5]"
0x20="[6]"
0x40="[7]"
0x80="[8]"
IF_BC_CN:
0x00="CCITT"
IF_BC_IT:
0x00="音声"
0x08="非制限"
IF_BC_TM:
0x00="回線"
IF_BC_TS:
0x10="64k"
IF_BC_LAYER:
0x20="ﾚｲﾔ1"
0x40="ﾚｲﾔ2"
0x60="ﾚｲﾔ3"
IF_BC_L1P:
0x03="A則"
IF_BC_L2P:
0x02="Q.921"
IF_CA_CN:
0x00="CCITT"
IF_CA_GE:
0x00="ﾕｰｻﾞ"
0x02="公衆網"
IF_CA_CA:
0x10="正常切断"
0x62="ﾒｯｾｰｼﾞ不一致"
0x66="ﾀｲﾏ満了"
IF_CA_DG:
0x01="診断1"
IF_SHIFT:
0x06="ｺｰﾄﾞ群6"
IF_CS_CS:
0x00="CCITT"
IF_CS_NUMBER:
0x0A="通信中"
IF_CS_GLOBAL:
0x00="REST0"
IF_USERUSER:
0x04="IA5"
IF_FACILITY:
0x11="遠隔操作"
IF_FACILITY_COMPONENT_KIND:
0xA1="起動"
0xA2="結果"
IF_FACILITY_COMPONENT_IDENTITY:
0x02="起動識別子"
IF_FACILITY_OPERATION_VALUE:
0x06="OID"
IF_FACILITY_PARAMETER:
0x31="SET"
IF_X25_PTYPE:
0x00="CR,発呼要求"
0x01="CN,着呼"
0x08="SQ,再開要求"
0x09="SI,再開指示"
0x0B="DT,ﾃﾞｰﾀ"
0x0C="RR,受信可"
IF_X25_RECAUSE:
0x07="網運用開始"
IF_X25_DIAG:
0x00="情報なし"
IF_X25_UF:
0x42="ﾊﾟｹｯﾄｻｲｽﾞ"
CRC:
0x00="OK"
0x01="NG"
)");
    return c;
}

std::string S(std::string_view utf8) { return Cp932::FromUtf8(utf8); }

std::vector<std::string> Items(const FrameRecord& record, const MessageCatalogue& catalogue,
                               bool icons, bool separators) {
    DetailDecoder decoder;
    return Items(decoder, record, catalogue, icons, separators);
}

std::vector<std::string> Items(DetailDecoder& decoder, const FrameRecord& record,
                               const MessageCatalogue& catalogue, bool icons, bool separators) {
    std::vector<std::string> items;
    decoder.Build(record, Options(false, icons, separators), catalogue, items);
    return items;
}

}  // namespace detailtest
