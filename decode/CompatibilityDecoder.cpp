#include "decode/CompatibilityDecoder.h"

#include "base/Cp932.h"
#include "decode/FieldGroup.h"

namespace {

using MC = MessageCatalogue;
using FG = FieldGroup;
using Place = ElementWalk::Place;
constexpr auto Extended = ElementDecoder::Extended;

enum State : uint8_t {
    kDone,     // no further text
    kOctet3a,  // passed over
    kOctet4,
    kOctet4a,  // passed over, or the extended high layer characteristics
    kOctet4b,  // passed over
    kLayer5,   // the user information layer octets 5, 6 and 7
    kOctet5a,  // passed over, and what follows it
    kLayer6,
    kLayer7,
};

}  // namespace

void CompatibilityDecoder::Bearer(DetailBuild& b, DetailItem& item, const Place& place) {
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
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        octet3.Write(item, c);
        return;
    }
    if (place.offset == 3) {
        octet4.Write(item, c);
        state = Extended(v) ? kOctet4a : kLayer5;
        return;
    }
    switch (state) {
        case kOctet4a:
            state = Extended(v) ? kOctet4b : kLayer5;
            return;
        case kOctet4b:
            state = kLayer5;
            return;
        case kLayer5:
        case kLayer6:
        case kLayer7: {
            ElementDecoder::Look(item, c, 0x60, VELK_SJIS("ﾚｲﾔ識別="), MC::IF_BC_LAYER, v & 0x60);
            const int layer = (v & 0x60) >> 5;  // 0 names no layer
            if (layer == 0) item.Field(0x1F, "");
            else ElementDecoder::Look(item, c, 0x1F, layerLabels[layer - 1], kLayerSections[layer - 1], v & 0x1F);
            if (state == kLayer5) state = Extended(v) ? kOctet5a : kLayer6;
            else if (state == kLayer6) state = kLayer7;
            else state = kDone;
            return;
        }
        default:
            state = kDone;
            return;
    }
}

void CompatibilityDecoder::LowLayer(DetailBuild& b, DetailItem& item, const Place& place) {
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
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
        state = Extended(v) ? kOctet3a : kOctet4;
        return;
    }
    switch (state) {
        case kOctet3a:
            state = kOctet4;
            return;
        case kOctet4:
            octet4.Write(item, b.catalogue);
            state = Extended(v) ? kOctet4a : kLayer5;
            return;
        case kLayer5:
            item.Field(0x60, VELK_SJIS("ﾚｲﾔ識別=ﾚｲﾔ1"));
            octet5.Write(item, b.catalogue);
            state = Extended(v) ? kOctet5a : kLayer6;
            return;
        default:
            state = kDone;
            return;
    }
}

void CompatibilityDecoder::HighLayer(DetailBuild& b, DetailItem& item, const Place& place) {
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
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
    } else if (place.offset == 3) {
        octet4.Write(item, b.catalogue);
        state = Extended(item.Octet()) ? kOctet4a : kDone;
    } else if (state == kOctet4a) {
        octet4a.Write(item, b.catalogue);
        state = kDone;
    }
}
