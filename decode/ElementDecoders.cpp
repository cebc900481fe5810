#include "decode/ElementDecoders.h"

#include "base/Cp932.h"
#include "base/Hex.h"
#include "decode/DetailItem.h"
#include "decode/FacilityDecoder.h"
#include "decode/FieldGroup.h"

namespace {

using MC = MessageCatalogue;
using FG = FieldGroup;
using Place = ElementWalk::Place;

// elementState values of the call-control elements.
// One value may serve several elements; each element reads only the values
// it set itself at an earlier octet.
enum State : uint8_t {
    kDone = 0,
    kSubaddressHex = 0,
    kSubaddressChars = 1,
    kOctet3a = 5,
    kInterfaceId = 6,
    kOctet32 = 7,
    kChannelNumber = 8,
    kMap1 = 9,
    kMap2 = 10,
    kMap3 = 11,
    kMapH0 = 12,
    kMapH11 = 13,
    kOctet4 = 14,       // also: digits, cause value, feature status
    kOctet4a = 15,      // also: extended high layer characteristics
    kOctet4b = 16,
    kLayer5 = 17,       // also: cause diagnostic
    kOctet5a = 18,
    kLayer6 = 19,       // also: cause done
    kLayer7 = 20,
};

bool Extended(uint8_t v) { return (v & 0x80) == 0; }

void Look(DetailItem& item, const MC& c, uint8_t mask, std::string_view label, MC::Section s,
          uint8_t key) {
    item.Field(mask, label).Add(c.Lookup(s, key));
}

// "ｽﾛｯﾄﾏｯﾌﾟ=", then the used heading and slots, then the unused ones.
void SlotMap(DetailItem& item, const MC& c, uint8_t mask, MC::Section s, int bits) {
    std::string used, unused;
    for (int i = 0; i < bits; ++i) {
        uint8_t b = static_cast<uint8_t>(1u << i);
        std::string& part = (item.Octet() & b) ? used : unused;
        if (part.empty()) part = c.Lookup(s, (item.Octet() & b) ? 0xFF : 0x00);
        part += c.Lookup(s, b);
    }
    item.Field(mask, VELK_SJIS("ｽﾛｯﾄﾏｯﾌﾟ=")).Add(used).Add(unused);
}

// Slot map octets 1 to 3 of a B-channel map, then done.
void MapOctet(DetailBuild& b, DetailItem& item) {
    static constexpr MC::Section kSections[] = {MC::IF_CHIDT331, MC::IF_CHIDT332, MC::IF_CHIDT333};
    int i = b.elementState - kMap1;
    SlotMap(item, b.catalogue, 0xFF, kSections[i], 8);
    b.elementState = i < 2 ? b.elementState + 1 : kDone;
}

void Channel(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x40, "Int id=", MC::IF_CHIDT3, 0x40, FG::kFlag},
        {0x20, "Int type=", MC::IF_CHIDT3, 0x20, FG::kFlag},
        {0x08, "Pre/Excl=", MC::IF_CHIDT3, 0x08, FG::kFlag},
        {0x04, "D-ch ind=", MC::IF_CHIDT3, 0x04, FG::kFlag},
        // The interface type bit stays in the key: basic and primary rate apart.
        {0x03, "情報ﾁｬﾈﾙ選択=", MC::IF_CHIDT3, 0x23, FG::kMasked},
    };
    static const FG octet32{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_CHIDT32, 0x60, FG::kMasked},
        {0x10, "番号/ﾏｯﾌﾟ識別=", MC::IF_CHIDT32, 0x10, FG::kFlag},
        {0x0F, "ﾁｬﾈﾙ/ﾏｯﾌﾟ要素種別=", MC::IF_CHIDT32, 0x0F, FG::kMasked},
    };
    const uint8_t v = item.Octet();
    const MC& c = b.catalogue;
    if (place.offset == 2) {
        octet3.Write(item, c);
        b.elementState = (v & 0x40) ? kInterfaceId : kOctet32;
        return;
    }
    switch (b.elementState) {
        case kOctet32:
            octet32.Write(item, c);
            if (!(v & 0x10)) b.elementState = kChannelNumber;
            else if ((v & 0x0F) == 3) b.elementState = kMap1;
            else if ((v & 0x0F) == 6) b.elementState = kMapH0;
            else if ((v & 0x0F) == 8) b.elementState = kMapH11;
            else b.elementState = kDone;
            return;
        case kChannelNumber:
            item.Field(0x7F, VELK_SJIS("ﾁｬﾈﾙ番号=")).AddNumber(v & 0x7F);
            if (!Extended(v)) b.elementState = kDone;
            return;
        case kMap1:
        case kMap2:
        case kMap3:
            MapOctet(b, item);
            return;
        case kMapH0:
            SlotMap(item, c, 0x0F, MC::IF_CHIDT33A, 4);
            b.elementState = kDone;
            return;
        case kMapH11:
            item.Field(0x01, VELK_SJIS("ｽﾛｯﾄﾏｯﾌﾟ="))
                .Add(c.Lookup(MC::IF_CHIDT33B, (v & 0x01) ? 0xFF : 0x00))
                .Add(c.Lookup(MC::IF_CHIDT33B, 0x01));
            b.elementState = kDone;
            return;
        default:  // the interface identifier and anything after the channels
            b.elementState = kDone;
            return;
    }
}

void ChannelVariant(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x40, "Int id=", MC::IF_BCI3, 0x40, FG::kFlag},
        {0x20, "Int type=", MC::IF_BCI3, 0x20, FG::kFlag},
    };
    static const FG basicSelection{
        {0x02, "情報ﾁｬﾈﾙ選択=", MC::IF_BCI3, 0x02, FG::kFlag},
        {0x01, "情報ﾁｬﾈﾙ選択=", MC::IF_BCI3, 0x01, FG::kFlag},
    };
    static const FG primarySelection{
        {0x03, "情報ﾁｬﾈﾙ選択=", MC::IF_BCI3, 0x03, FG::kMasked},
    };
    static const FG octet32{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_BCI32, 0x60, FG::kMasked},
        {0x10, "ﾏｯﾌﾟ=", MC::IF_BCI32, 0x10, FG::kFlag},
        {0x0F, "ﾏｯﾌﾟ要素ﾀｲﾌﾟ=", MC::IF_BCI32, 0x0F, FG::kMasked},
    };
    const uint8_t v = item.Octet();
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
        ((v & 0x20) ? primarySelection : basicSelection).Write(item, b.catalogue);
        b.elementState = (v & 0x40) ? kInterfaceId : kOctet32;
        return;
    }
    switch (b.elementState) {
        case kInterfaceId:
            b.elementState = kOctet32;
            return;
        case kOctet32:
            octet32.Write(item, b.catalogue);
            b.elementState = kMap1;
            return;
        case kMap1:
        case kMap2:
        case kMap3:
            MapOctet(b, item);
            return;
        default:
            b.elementState = kDone;
            return;
    }
}

void Bearer(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_BC_CN, 0x60, FG::kMasked},
        {0x1F, "情報転送能力=", MC::IF_BC_IT, 0x1F, FG::kMasked},
    };
    static const FG octet4{
        {0x60, "転送ﾓｰﾄﾞ=", MC::IF_BC_TM, 0x60, FG::kMasked},
        // The transfer mode bits stay in the key.
        {0x1F, "情報転送速度=", MC::IF_BC_TS, 0x7F, FG::kMasked},
    };
    static const std::string layerLabels[] = {
        Cp932::FromUtf8("ﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ="),
        Cp932::FromUtf8("ﾕｰｻﾞ情報ﾚｲﾔ2ﾌﾟﾛﾄｺﾙ="),
        Cp932::FromUtf8("ﾕｰｻﾞ情報ﾚｲﾔ3ﾌﾟﾛﾄｺﾙ="),
    };
    static constexpr MC::Section kLayerSections[] = {MC::IF_BC_L1P, MC::IF_BC_L2P, MC::IF_BC_L3P};
    const uint8_t v = item.Octet();
    const MC& c = b.catalogue;
    if (place.offset == 2) {
        octet3.Write(item, c);
        return;
    }
    if (place.offset == 3) {
        octet4.Write(item, c);
        b.elementState = Extended(v) ? kOctet4a : kLayer5;
        return;
    }
    switch (b.elementState) {
        case kOctet4a:
            b.elementState = Extended(v) ? kOctet4b : kLayer5;
            return;
        case kOctet4b:
            b.elementState = kLayer5;
            return;
        case kLayer5:
        case kLayer6:
        case kLayer7: {
            Look(item, c, 0x60, VELK_SJIS("ﾚｲﾔ識別="), MC::IF_BC_LAYER, v & 0x60);
            int layer = (v & 0x60) >> 5;  // 0 names no layer
            if (layer == 0) item.Field(0x1F, "");
            else Look(item, c, 0x1F, layerLabels[layer - 1], kLayerSections[layer - 1], v & 0x1F);
            if (b.elementState == kLayer5) b.elementState = Extended(v) ? kOctet5a : kLayer6;
            else if (b.elementState == kLayer6) b.elementState = kLayer7;
            else b.elementState = kDone;
            return;
        }
        default:
            b.elementState = kDone;
            return;
    }
}

void CallingNumber(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "番号種別=", MC::IF_CgPN_NK, 0x70, FG::kMasked},
        {0x0F, "番号計画識別子=", MC::IF_CgPN_NP, 0x0F, FG::kMasked},
    };
    static const FG octet3a{
        {0x60, "表示識別子=", MC::IF_CgPN_DI, 0x60, FG::kMasked},
        {0x03, "網検証識別子=", MC::IF_CgPN_NI, 0x03, FG::kMasked},
    };
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
        b.elementState = Extended(item.Octet()) ? kOctet3a : kOctet4;
        return;
    }
    switch (b.elementState) {
        case kOctet3a:
            octet3a.Write(item, b.catalogue);
            b.elementState = kOctet4;
            return;
        case kOctet4:
            item.CharField(VELK_SJIS("番号="));
            return;
        default:
            b.elementState = kDone;
            return;
    }
}

void CalledNumber(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "番号種別=", MC::IF_CdPN_NK, 0x70, FG::kMasked},
        {0x0F, "番号計画識別子=", MC::IF_CdPN_NP, 0x0F, FG::kMasked},
    };
    if (place.offset == 2) octet3.Write(item, b.catalogue);
    else item.CharField(VELK_SJIS("番号="));
}

// The element's cause value: the second octet with bit 8 set from octet 3
// on, within the declared length and the information field; 0x80 for none.
int CauseValue(const FrameLayout& frame, int start) {
    int length = frame.BodyByte(start + 1);
    if (length == FrameLayout::kAbsent) return 0x80;
    int seen = 0;
    for (int p = start + 2; p <= start + 1 + length; ++p) {
        int octet = frame.BodyByte(p);
        if (octet == FrameLayout::kAbsent) break;
        if ((octet & 0x80) && ++seen == 2) return octet & 0x7F;
    }
    return 0x80;
}

void Cause(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_CA_CN, 0x60, FG::kMasked},
        {0x0F, "生成源=", MC::IF_CA_GE, 0x0F, FG::kMasked},
    };
    const uint8_t v = item.Octet();
    const MC& c = b.catalogue;
    if (place.offset == 2) {
        octet3.Write(item, c);
        b.elementState = Extended(v) ? kOctet3a : kOctet4;
        return;
    }
    switch (b.elementState) {
        case kOctet3a:
            b.elementState = kOctet4;
            return;
        case kOctet4:
            item.Field(0x7F, VELK_SJIS("理由表示値="))
                .Add(c.Lookup(MC::IF_CA_CA, v & 0x7F))
                .Add("(CV=")
                .AddNumber(v & 0x7F)
                .Add(")");
            b.elementState = kLayer5;
            return;
        case kLayer5:
            switch (CauseValue(b.frame, place.start)) {
                case 1: case 3: case 16: case 21: case 49:
                    Look(item, c, 0x03, VELK_SJIS("診断情報="), MC::IF_CA_DG, v & 0x03);
                    break;
                case 98:  // the diagnostic is a message type
                    Look(item, c, 0xFF, VELK_SJIS("診断情報="), MC::IF_MESSAGE, v & 0x7F);
                    break;
                case 102:  // every further octet is a timer number character
                    item.CharField(VELK_SJIS("ﾀｲﾏ番号="));
                    return;
            }
            b.elementState = kLayer6;
            return;
        default:
            b.elementState = kDone;
            return;
    }
}

void Charging(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2)
        Look(item, b.catalogue, 0x0F, VELK_SJIS("情報種別="), MC::IF_CHARGE, item.Octet() & 0x0F);
    else
        item.CharField(VELK_SJIS("料金="));
}

void CallIdentity(DetailBuild&, DetailItem& item, const Place&) {
    item.CharField(VELK_SJIS("呼識別="));
}

void Keypad(DetailBuild&, DetailItem& item, const Place&) {
    item.CharField(VELK_SJIS("情報="));
}

void CallState(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset != 2) return;
    const uint8_t v = item.Octet();
    const MC& c = b.catalogue;
    Look(item, c, 0xC0, VELK_SJIS("ｺｰﾃﾞｨﾝｸﾞ標準="), MC::IF_CS_CS, v & 0xC0);
    if (b.frame.CallReference() == 0)
        Look(item, c, 0x3F, VELK_SJIS("ｸﾞﾛｰﾊﾞﾙｲﾝﾀｰﾌｪｰｽ状態値="), MC::IF_CS_GLOBAL, v & 0x3F);
    else
        Look(item, c, 0x3F, VELK_SJIS("呼状態番号="), MC::IF_CS_NUMBER, v & 0x3F);
}

void Progress(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_PI_CN, 0x60, FG::kMasked},
        {0x0F, "生成源=", MC::IF_PI_GE, 0x0F, FG::kMasked},
    };
    static const FG octet4{
        {0x7F, "経過内容=", MC::IF_PI_PR, 0x7F, FG::kMasked},
    };
    if (place.offset == 2) octet3.Write(item, b.catalogue);
    else if (place.offset == 3) octet4.Write(item, b.catalogue);
}

void HighLayer(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_HL_CN, 0x60, FG::kMasked},
        {0x1C, "解釈法=", MC::IF_HL_IP, 0x1C, FG::kMasked},
        {0x03, "ﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ表現法=", MC::IF_HL_PF, 0x03, FG::kMasked},
    };
    static const FG octet4{
        {0x7F, "高位ﾚｲﾔ特性識別=", MC::IF_HL_HL, 0x7F, FG::kMasked},
    };
    static const FG octet4a{
        {0x7F, "拡張高位ﾚｲﾔ特性識別=", MC::IF_HL_EH, 0x7F, FG::kMasked},
    };
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
    } else if (place.offset == 3) {
        octet4.Write(item, b.catalogue);
        b.elementState = Extended(item.Octet()) ? kOctet4a : kDone;
    } else if (b.elementState == kOctet4a) {
        octet4a.Write(item, b.catalogue);
        b.elementState = kDone;
    }
}

void LowLayer(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_LL_CN, 0x60, FG::kMasked},
        {0x1F, "情報転送能力=", MC::IF_LL_IT, 0x1F, FG::kMasked},
    };
    static const FG octet4{
        {0x60, "転送ﾓｰﾄﾞ=", MC::IF_LL_TM, 0x60, FG::kMasked},
        {0x1F, "情報転送速度=", MC::IF_LL_TS, 0x7F, FG::kMasked},
    };
    static const FG octet5{
        {0x1F, "ﾕｰｻﾞ情報ﾚｲﾔ1ﾌﾟﾛﾄｺﾙ=", MC::IF_LL_L1P, 0x1F, FG::kMasked},
    };
    const uint8_t v = item.Octet();
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
        b.elementState = Extended(v) ? kOctet3a : kOctet4;
        return;
    }
    switch (b.elementState) {
        case kOctet3a:
            b.elementState = kOctet4;
            return;
        case kOctet4:
            octet4.Write(item, b.catalogue);
            b.elementState = Extended(v) ? kOctet4a : kLayer5;
            return;
        case kLayer5:
            item.Field(0x60, VELK_SJIS("ﾚｲﾔ識別=ﾚｲﾔ1"));
            octet5.Write(item, b.catalogue);
            b.elementState = Extended(v) ? kOctet5a : kLayer6;
            return;
        default:
            b.elementState = kDone;
            return;
    }
}

void Subaddress(DetailBuild& b, DetailItem& item, const Place& place, const FG& octet3,
                const FG& afi, std::string_view label) {
    const uint8_t v = item.Octet();
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
    } else if (place.offset == 3) {
        afi.Write(item, b.catalogue);
        // AFI 0x50: IA5 characters follow.
        b.elementState = v == 0x50 ? kSubaddressChars : kSubaddressHex;
    } else {
        item.Field(0xFF, label);
        if (b.elementState == kSubaddressHex) {
            item.Add("0x");
            Hex::AppendOctet(item.Text(), v);
        } else if (b.elementState == kSubaddressChars) {
            item.AddQuotedChar();
        }
    }
}

void CallingSubaddress(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "ｻﾌﾞｱﾄﾞﾚｽ種別=", MC::IF_CgPS, 0x70, FG::kMasked},
        {0x08, "偶数／奇数表示=", MC::IF_CgPS, 0x08, FG::kFlag},
    };
    static const FG afi{{0xFF, "AFIｺｰﾄﾞ=", MC::IF_CgPS_AFI, 0xFF, FG::kMasked}};
    Subaddress(b, item, place, octet3, afi, VELK_SJIS("発ｻﾌﾞｱﾄﾞﾚｽ="));
}

void CalledSubaddress(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "ｻﾌﾞｱﾄﾞﾚｽ種別=", MC::IF_CdPS, 0x70, FG::kMasked},
        {0x08, "偶数／奇数表示=", MC::IF_CdPS, 0x08, FG::kFlag},
    };
    static const FG afi{{0xFF, "AFIｺｰﾄﾞ=", MC::IF_CdPS_AFI, 0xFF, FG::kMasked}};
    Subaddress(b, item, place, octet3, afi, VELK_SJIS("着ｻﾌﾞｱﾄﾞﾚｽ="));
}

void UserUser(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2)
        Look(item, b.catalogue, 0xFF, VELK_SJIS("ﾌﾟﾛﾄｺﾙ識別子="), MC::IF_USERUSER, item.Octet());
    else
        item.Field(0xFF, VELK_SJIS("ﾕｰｻﾞｰ情報=")).AddQuotedChar();
}

void PacketBinary(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x18, "ﾌｧｽﾄｾﾚｸﾄ=", MC::IF_PB_PRM, 0x18, FG::kFlag},
        {0x04, "優先ﾃﾞｰﾀ=", MC::IF_PB_PRM, 0x04, FG::kFlag},
        {0x02, "送達確認=", MC::IF_PB_PRM, 0x02, FG::kFlag},
        {0x01, "モジュロ=", MC::IF_PB_PRM, 0x01, FG::kFlag},
    };
    if (place.offset == 2) octet3.Write(item, b.catalogue);
}

// Octet 3 the called user's value, octet 4 the calling user's.
void SizePair(DetailItem& item, const Place& place, uint8_t mask, long value) {
    if (place.offset == 2) item.Field(mask, VELK_SJIS("着呼ﾕｰｻﾞからのｻｲｽﾞ=")).AddNumber(value);
    else if (place.offset == 3) item.Field(mask, VELK_SJIS("発呼ﾕｰｻﾞからのｻｲｽﾞ=")).AddNumber(value);
}

void PacketWindow(DetailBuild&, DetailItem& item, const Place& place) {
    SizePair(item, place, 0x7F, item.Octet() & 0x7F);
}

void PacketSize(DetailBuild&, DetailItem& item, const Place& place) {
    SizePair(item, place, 0x0F, 1L << (item.Octet() & 0x0F));
}

void Signal(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2)
        Look(item, b.catalogue, 0xFF, VELK_SJIS("ｼｸﾞﾅﾙ値="), MC::IF_SIGNAL, item.Octet());
}

void Restart(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2)
        Look(item, b.catalogue, 0x07, VELK_SJIS("ｸﾗｽ="), MC::IF_RI, item.Octet() & 0x07);
}

void FeatureNumber(DetailItem& item) {
    item.Field(0x7F, VELK_SJIS("ﾌｨｰﾁｬ識別子番号=")).AddNumber(item.Octet() & 0x7F);
}

void FeatureActivation(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2) {
        FeatureNumber(item);
        b.elementState = Extended(item.Octet()) ? kOctet3a : kDone;
    } else if (b.elementState == kOctet3a) {
        FeatureNumber(item);
    }
}

void FeatureIndication(DetailBuild& b, DetailItem& item, const Place& place) {
    const uint8_t v = item.Octet();
    if (place.offset == 2) {
        FeatureNumber(item);
        b.elementState = Extended(v) ? kOctet3a : kOctet4;
    } else if (b.elementState == kOctet3a) {
        FeatureNumber(item);
        if (!Extended(v)) b.elementState = kOctet4;
    } else if (b.elementState == kOctet4) {
        Look(item, b.catalogue, 0x0F, VELK_SJIS("ﾌｨｰﾁｬ状態表示="), MC::IF_FI, v & 0x0F);
    }
}

using Decoder = void (*)(DetailBuild&, DetailItem&, const Place&);

// The decoder of the octets from octet 3 on, by element kind.
constexpr Decoder kDecoders[ElementWalk::kKindCount] = {
    nullptr,            // kNone
    Charging,           // kCharging
    ChannelVariant,     // kChannelVariant
    Bearer,             // kBearer
    Cause,              // kCause
    CallIdentity,       // kCallIdentity
    CallState,          // kCallState
    Channel,            // kChannel
    FacilityDecoder::Content,  // kFacility
    Progress,           // kProgress
    Keypad,             // kKeypad
    Signal,             // kSignal
    FeatureActivation,  // kFeatureActivation
    FeatureIndication,  // kFeatureIndication
    PacketBinary,       // kPacketBinary
    PacketWindow,       // kPacketWindow
    PacketSize,         // kPacketSize
    CallingNumber,      // kCallingNumber
    CallingSubaddress,  // kCallingSubaddress
    CalledNumber,       // kCalledNumber
    CalledSubaddress,   // kCalledSubaddress
    Restart,            // kRestart
    LowLayer,           // kLowLayer
    HighLayer,          // kHighLayer
    UserUser,           // kUserUser
    nullptr,            // kShift
    nullptr,            // kSendingComplete
};

void SingleOctet(DetailBuild& b, DetailItem& item, ElementWalk::Kind kind) {
    const MC& c = b.catalogue;
    const std::string& name = VELK_SJIS("情報要素識別子=");
    item.Prefix(ElementWalk::Tag(kind), DetailItem::kNoOffset, b.Icons());
    if (kind == ElementWalk::kShift) {
        Look(item, c, 0xF0, name, MC::IF_OTHERINFO, 0x90);
        Look(item, c, 0x07, VELK_SJIS("ｺｰﾄﾞ群識別子="), MC::IF_SHIFT, item.Octet() & 0x07);
    } else {
        Look(item, c, 0xFF, name, MC::IF_OTHERINFO, 0xA1);
    }
    if (b.Separators()) item.Text().push_back(DetailItem::kSeparator);
}

}  // namespace

void ElementDecoders::Decode(DetailBuild& build, std::string& text, int position,
                             const ElementWalk::Place& place) {
    int octet = build.frame.Record().ByteAt(static_cast<size_t>(position));
    if (octet == FrameLayout::kAbsent) return;
    DetailItem item(text, static_cast<uint8_t>(octet));
    if (place.kind == ElementWalk::kNone || place.kind >= ElementWalk::kKindCount) {
        item.Bare();
        return;
    }
    if (ElementWalk::IsSingleOctet(place.kind)) {
        SingleOctet(build, item, place.kind);
        return;
    }
    item.Prefix(ElementWalk::Tag(place.kind), place.offset, build.Icons());
    if (place.offset == 0) {
        Look(item, build.catalogue, 0xFF, VELK_SJIS("情報要素識別子="), MessageCatalogue::IF_OTHERINFO,
             place.identifier);
        if (build.Separators()) text.push_back(DetailItem::kSeparator);
    } else if (place.offset == 1) {
        item.Field(0xFF, VELK_SJIS("内容長=")).AddNumber(item.Octet());
    } else {
        kDecoders[place.kind](build, item, place);
    }
}
