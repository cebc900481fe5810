#include "decode/InformationElements.h"

#include <array>

#include "base/Cp932.h"
#include "decode/CauseDecoder.h"
#include "decode/ChannelDecoder.h"
#include "decode/CompatibilityDecoder.h"
#include "decode/FacilityDecoder.h"
#include "decode/FieldGroup.h"
#include "decode/PartyDecoder.h"

namespace {

using MC = MessageCatalogue;
using FG = FieldGroup;
using Place = ElementWalk::Place;
constexpr auto Look = ElementDecoder::Look;
constexpr auto Extended = ElementDecoder::Extended;

// ---- Elements of one or two kinds of octet ----

void Charging(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2) Look(item, b.catalogue, 0x0F, VELK_SJIS("情報種別="), MC::IF_CHARGE, item.Octet() & 0x0F);
    else item.CharField(VELK_SJIS("料金="));
}

void CallIdentity(DetailBuild&, DetailItem& item, const Place&) { item.CharField(VELK_SJIS("呼識別=")); }

void Keypad(DetailBuild&, DetailItem& item, const Place&) { item.CharField(VELK_SJIS("情報=")); }

void CallState(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset != 2) return;
    const uint8_t v = item.Octet();
    Look(item, b.catalogue, 0xC0, VELK_SJIS("ｺｰﾃﾞｨﾝｸﾞ標準="), MC::IF_CS_CS, v & 0xC0);
    // The global call reference reports the state of the whole interface.
    if (b.frame.CallReference() == 0)
        Look(item, b.catalogue, 0x3F, VELK_SJIS("ｸﾞﾛｰﾊﾞﾙｲﾝﾀｰﾌｪｰｽ状態値="), MC::IF_CS_GLOBAL, v & 0x3F);
    else
        Look(item, b.catalogue, 0x3F, VELK_SJIS("呼状態番号="), MC::IF_CS_NUMBER, v & 0x3F);
}

void Progress(DetailBuild& b, DetailItem& item, const Place& place) {
    static const FG octet3{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_PI_CN, 0x60, FG::kMasked},
        {0x0F, "生成源=", MC::IF_PI_GE, 0x0F, FG::kMasked},
    };
    static const FG octet4{{0x7F, "経過内容=", MC::IF_PI_PR, 0x7F, FG::kMasked}};
    if (place.offset == 2) octet3.Write(item, b.catalogue);
    else if (place.offset == 3) octet4.Write(item, b.catalogue);
}

void Signal(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2) Look(item, b.catalogue, 0xFF, VELK_SJIS("ｼｸﾞﾅﾙ値="), MC::IF_SIGNAL, item.Octet());
}

void Restart(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2) Look(item, b.catalogue, 0x07, VELK_SJIS("ｸﾗｽ="), MC::IF_RI, item.Octet() & 0x07);
}

void UserUser(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2) Look(item, b.catalogue, 0xFF, VELK_SJIS("ﾌﾟﾛﾄｺﾙ識別子="), MC::IF_USERUSER, item.Octet());
    else item.Field(0xFF, VELK_SJIS("ﾕｰｻﾞｰ情報=")).AddQuotedChar();
}

// ---- Features: the identifier number, extended, then the status ----

enum FeatureState : uint8_t { kNoText, kMoreNumber, kStatus };

void FeatureNumber(DetailItem& item) {
    item.Field(0x7F, VELK_SJIS("ﾌｨｰﾁｬ識別子番号=")).AddNumber(item.Octet() & 0x7F);
}

void FeatureActivation(DetailBuild& b, DetailItem& item, const Place& place) {
    if (place.offset == 2) {
        FeatureNumber(item);
        b.element.state = Extended(item.Octet()) ? kMoreNumber : kNoText;
    } else if (b.element.state == kMoreNumber) {
        FeatureNumber(item);
    }
}

void FeatureIndication(DetailBuild& b, DetailItem& item, const Place& place) {
    const uint8_t v = item.Octet();
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        FeatureNumber(item);
        state = Extended(v) ? kMoreNumber : kStatus;
    } else if (state == kMoreNumber) {
        FeatureNumber(item);
        if (!Extended(v)) state = kStatus;
    } else if (state == kStatus) {
        Look(item, b.catalogue, 0x0F, VELK_SJIS("ﾌｨｰﾁｬ状態表示="), MC::IF_FI, v & 0x0F);
    }
}

// ---- Packet-mode parameters ----

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

// ---- Single-octet elements: the whole element in its identifier octet ----

void Shift(DetailBuild& b, DetailItem& item, const Place&) {
    Look(item, b.catalogue, 0xF0, VELK_SJIS("情報要素識別子="), MC::IF_OTHERINFO, 0x90);
    Look(item, b.catalogue, 0x07, VELK_SJIS("ｺｰﾄﾞ群識別子="), MC::IF_SHIFT, item.Octet() & 0x07);
}

void SendingComplete(DetailBuild& b, DetailItem& item, const Place&) {
    Look(item, b.catalogue, 0xFF, VELK_SJIS("情報要素識別子="), MC::IF_OTHERINFO, 0xA1);
}

using Element = InformationElements::Element;
constexpr Element kElements[] = {
    {0x01, "AC+", Charging},
    {0x03, "CI+", ChannelDecoder::Variant},
    {0x04, "BC+", CompatibilityDecoder::Bearer},
    {0x08, "CA+", CauseDecoder::Cause},
    {0x10, "CI+", CallIdentity},
    {0x14, "CS+", CallState},
    {0x18, "CH+", ChannelDecoder::Channel},
    {0x1C, "FA+", FacilityDecoder::Content},
    {0x1E, "PI+", Progress},
    {0x2C, "KF+", Keypad},
    {0x34, "SG+", Signal},
    {0x38, "FA+", FeatureActivation},
    {0x39, "FI+", FeatureIndication},
    {0x44, "PB+", PacketBinary},
    {0x45, "PW+", PacketWindow},
    {0x46, "PS+", PacketSize},
    {0x6C, "発N", PartyDecoder::CallingNumber},
    {0x6D, "発S", PartyDecoder::CallingSubaddress},
    {0x70, "着N", PartyDecoder::CalledNumber},
    {0x71, "着S", PartyDecoder::CalledSubaddress},
    {0x79, "RI+", Restart},
    {0x7C, "LL+", CompatibilityDecoder::LowLayer},
    {0x7D, "HL+", CompatibilityDecoder::HighLayer},
    {0x7E, "UU+", UserUser},
    {0x90, "SHIFT", Shift},
    {0xA1, "SENDC", SendingComplete},
};

// Rows by identifier, and the tags in CP932.
struct Index {
    std::array<const Element*, 256> rows{};
    std::array<std::string, 256> tags;
    Index() {
        for (const Element& e : kElements) {
            rows[e.identifier] = &e;
            tags[e.identifier] = Cp932::FromUtf8(e.tag);
        }
    }
};

const Index& Rows() {
    static const Index index;
    return index;
}

}  // namespace

const InformationElements::Element* InformationElements::Find(uint8_t identifier) {
    return Rows().rows[identifier];
}

const std::string& InformationElements::Tag(uint8_t identifier) { return Rows().tags[identifier]; }

void InformationElements::Decode(DetailBuild& b, std::string& text, int position, const Place& place) {
    const int octet = b.frame.Record().ByteAt(static_cast<size_t>(position));
    if (octet == FrameLayout::kAbsent) return;
    DetailItem item(text, static_cast<uint8_t>(octet));
    const Element* element = Find(place.identifier);
    if (!element) {
        item.Bare();
        return;
    }
    const std::string& tag = Tag(place.identifier);
    if (place.identifier & 0x80) {  // single octet: no offset, no length
        item.Prefix(tag, DetailItem::kNoOffset, b.Icons());
        element->decoder(b, item, place);
        if (b.Separators()) text.push_back(DetailItem::kSeparator);
        return;
    }
    item.Prefix(tag, place.offset, b.Icons());
    if (place.offset == 0) {
        b.element = DetailBuild::ElementMemory();
        Look(item, b.catalogue, 0xFF, VELK_SJIS("情報要素識別子="), MC::IF_OTHERINFO, place.identifier);
        if (b.Separators()) text.push_back(DetailItem::kSeparator);
    } else if (place.offset == 1) {
        item.Field(0xFF, VELK_SJIS("内容長=")).AddNumber(item.Octet());
    } else {
        element->decoder(b, item, place);
    }
}
