#include "decode/ChannelDecoder.h"

#include "base/Cp932.h"
#include "decode/FieldGroup.h"

namespace {

using MC = MessageCatalogue;
using FG = FieldGroup;
using Place = ElementWalk::Place;

enum State : uint8_t {
    kDone,          // no further text
    kInterfaceId,   // the interface identifier octets 3.1
    kOctet32,       // coding standard, number or map, element type
    kNumber,        // channel numbers up to the last with bit 8 set
    kMap1,          // B-channel slot map, three octets
    kMap2,
    kMap3,
    kMapH0,
    kMapH11,
};

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
    const int i = b.element.state - kMap1;
    SlotMap(item, b.catalogue, 0xFF, kSections[i], 8);
    b.element.state = i < 2 ? b.element.state + 1 : kDone;
}

}  // namespace

void ChannelDecoder::Channel(DetailBuild& b, DetailItem& item, const Place& place) {
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
    // Element type of octet 3.2 with the map bit: B slots, H0 or H11.
    auto mapState = [](uint8_t type) {
        switch (type & 0x0F) {
            case 3: return kMap1;
            case 6: return kMapH0;
            case 8: return kMapH11;
            default: return kDone;
        }
    };
    const uint8_t v = item.Octet();
    const MC& c = b.catalogue;
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        octet3.Write(item, c);
        state = (v & 0x40) ? kInterfaceId : kOctet32;
        return;
    }
    switch (state) {
        case kOctet32:
            octet32.Write(item, c);
            state = (v & 0x10) ? mapState(v) : kNumber;
            return;
        case kNumber:
            item.Field(0x7F, VELK_SJIS("ﾁｬﾈﾙ番号=")).AddNumber(v & 0x7F);
            if (!ElementDecoder::Extended(v)) state = kDone;
            return;
        case kMap1:
        case kMap2:
        case kMap3:
            MapOctet(b, item);
            return;
        case kMapH0:
            SlotMap(item, c, 0x0F, MC::IF_CHIDT33A, 4);
            state = kDone;
            return;
        case kMapH11:
            item.Field(0x01, VELK_SJIS("ｽﾛｯﾄﾏｯﾌﾟ="))
                .Add(c.Lookup(MC::IF_CHIDT33B, (v & 0x01) ? 0xFF : 0x00))
                .Add(c.Lookup(MC::IF_CHIDT33B, 0x01));
            state = kDone;
            return;
        default:  // the interface identifier and anything after the channels
            state = kDone;
            return;
    }
}

void ChannelDecoder::Variant(DetailBuild& b, DetailItem& item, const Place& place) {
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
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
        ((v & 0x20) ? primarySelection : basicSelection).Write(item, b.catalogue);
        state = (v & 0x40) ? kInterfaceId : kOctet32;
        return;
    }
    switch (state) {
        case kInterfaceId:
            state = kOctet32;
            return;
        case kOctet32:
            octet32.Write(item, b.catalogue);
            state = kMap1;
            return;
        case kMap1:
        case kMap2:
        case kMap3:
            MapOctet(b, item);
            return;
        default:
            state = kDone;
            return;
    }
}
