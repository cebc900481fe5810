#include "decode/PartyDecoder.h"

#include "base/Cp932.h"
#include "base/Hex.h"
#include "decode/FieldGroup.h"

namespace {

using MC = MessageCatalogue;
using FG = FieldGroup;
using Place = ElementWalk::Place;

enum NumberState : uint8_t { kNoText, kOctet3a, kDigits };
// Before the AFI octet is seen the kind of the octets is unknown: label only.
enum SubaddressState : uint8_t { kUnknownKind, kHexOctets, kCharacters };

// Subaddress octets from octet 5 on: hex, or IA5 characters after AFI 0x50.
void Subaddress(DetailBuild& b, DetailItem& item, const Place& place, const FG& octet3,
                const FG& afi, std::string_view label) {
    const uint8_t v = item.Octet();
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
    } else if (place.offset == 3) {
        afi.Write(item, b.catalogue);
        b.element.state = v == 0x50 ? kCharacters : kHexOctets;
    } else {
        item.Field(0xFF, label);
        if (b.element.state == kHexOctets) Hex::AppendOctet(item.Add("0x").Text(), v);
        else if (b.element.state == kCharacters) item.AddQuotedChar();
    }
}

}  // namespace

void PartyDecoder::CallingNumber(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "番号種別=", MC::IF_CgPN_NK, 0x70, FG::kMasked},
        {0x0F, "番号計画識別子=", MC::IF_CgPN_NP, 0x0F, FG::kMasked},
    };
    static const FG octet3a{
        {0x60, "表示識別子=", MC::IF_CgPN_DI, 0x60, FG::kMasked},
        {0x03, "網検証識別子=", MC::IF_CgPN_NI, 0x03, FG::kMasked},
    };
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
        state = ElementDecoder::Extended(item.Octet()) ? kOctet3a : kDigits;
    } else if (state == kOctet3a) {
        octet3a.Write(item, b.catalogue);
        state = kDigits;
    } else if (state == kDigits) {
        item.CharField(VELK_SJIS("番号="));
    }
}

void PartyDecoder::CalledNumber(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "番号種別=", MC::IF_CdPN_NK, 0x70, FG::kMasked},
        {0x0F, "番号計画識別子=", MC::IF_CdPN_NP, 0x0F, FG::kMasked},
    };
    if (place.offset == 2) octet3.Write(item, b.catalogue);
    else item.CharField(VELK_SJIS("番号="));
}

void PartyDecoder::CallingSubaddress(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "ｻﾌﾞｱﾄﾞﾚｽ種別=", MC::IF_CgPS, 0x70, FG::kMasked},
        {0x08, "偶数／奇数表示=", MC::IF_CgPS, 0x08, FG::kFlag},
    };
    static const FG afi{{0xFF, "AFIｺｰﾄﾞ=", MC::IF_CgPS_AFI, 0xFF, FG::kMasked}};
    Subaddress(b, item, place, octet3, afi, VELK_SJIS("発ｻﾌﾞｱﾄﾞﾚｽ="));
}

void PartyDecoder::CalledSubaddress(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x70, "ｻﾌﾞｱﾄﾞﾚｽ種別=", MC::IF_CdPS, 0x70, FG::kMasked},
        {0x08, "偶数／奇数表示=", MC::IF_CdPS, 0x08, FG::kFlag},
    };
    static const FG afi{{0xFF, "AFIｺｰﾄﾞ=", MC::IF_CdPS_AFI, 0xFF, FG::kMasked}};
    Subaddress(b, item, place, octet3, afi, VELK_SJIS("着ｻﾌﾞｱﾄﾞﾚｽ="));
}
