#include "decode/FacilityDecoder.h"

#include "base/Cp932.h"

namespace {

using MC = MessageCatalogue;

enum State : uint8_t {
    kDone,  // not a remote operations facility: no further text
    kComponentTag,
    kComponentLength,
    kComponentLength2,
    kInnerTag,
    kInnerLength,
    kInnerLength2,
    kContent,
};

// One octet of an operation value that the decoder recognises: the content
// index, the octet, and what it shows.
struct OperationArc {
    uint32_t index;
    uint8_t octet;
    const char* text;  // UTF-8, after "ｵﾍﾟﾚｰｼｮﾝ値="
};
constexpr OperationArc kArcs[] = {
    {0, 0x03, "CCITT NETWORK OPPERATOR"},
    {5, 0x01, "OPERATION"},
    {6, 0x05, "着信鳴り分け機能ｻｰﾋﾞｽ"},
};

const std::string& OperationLabel() { return VELK_SJIS("ｵﾍﾟﾚｰｼｮﾝ値="); }

void OperationValue(FacilityState& f, DetailItem& item) {
    const uint8_t v = item.Octet();
    switch (f.contentIndex) {
        case 1:
        case 3:
            f.accumulator = static_cast<uint16_t>(v << 8);
            item.Add("\t").Add(OperationLabel()).Add(VELK_SJIS("次ｵｸﾃｯﾄ"));
            return;
        case 2:
            f.accumulator |= v;
            if (f.accumulator == 0xA231) item.Add("\t").Add(OperationLabel()).Add("NTT");
            return;
        case 4:
            f.accumulator |= v;
            if (f.accumulator == 0x8769)
                item.Add("\t").Add(OperationLabel()).Add("ISDN NETWORKSPECIFIC-SERVICE");
            return;
    }
    static const std::string texts[] = {
        Cp932::FromUtf8(kArcs[0].text), Cp932::FromUtf8(kArcs[1].text),
        Cp932::FromUtf8(kArcs[2].text)};
    for (size_t i = 0; i < std::size(kArcs); ++i)
        if (kArcs[i].index == f.contentIndex && kArcs[i].octet == v)
            item.Add("\t").Add(OperationLabel()).Add(texts[i]);
}

void Parameter(FacilityState& f, DetailItem& item) {
    const uint8_t v = item.Octet();
    if (f.contentIndex == 0) {
        if (v == 0x81) item.Add(VELK_SJIS("\tｺﾝﾃｸｽﾄ特有=ﾌﾟﾘﾐﾃｨﾌﾞ"));
    } else if (f.contentIndex == 1) {
        item.Add(VELK_SJIS("\tﾊﾟﾗﾒｰﾀ長=")).AddNumber(v);
    } else if (f.contentIndex == 2) {
        item.Add(VELK_SJIS("\tﾊﾟﾗﾒｰﾀ内容=ﾎﾟｰﾄ")).AddNumber(v);
    }
}

// The tags of an invoke component's inner elements.
struct InnerTag {
    uint8_t tag;
    FacilityState::InnerKind kind;
    const char* label;  // UTF-8
    MC::Section section;
};
constexpr InnerTag kInnerTags[] = {
    {0x02, FacilityState::kInvokeId, "ｺﾝﾎﾟｰﾈﾝﾄ識別子=", MC::IF_FACILITY_COMPONENT_IDENTITY},
    {0x08, FacilityState::kLinkedId, "ｺﾝﾎﾟｰﾈﾝﾄ識別子=", MC::IF_FACILITY_COMPONENT_IDENTITY},
    {0x06, FacilityState::kOperationValue, "ｵﾍﾟﾚｰｼｮﾝﾊﾞﾘｭｰ=", MC::IF_FACILITY_OPERATION_VALUE},
    {0x31, FacilityState::kParameter, "ﾊﾟﾗﾒｰﾀｰ=", MC::IF_FACILITY_PARAMETER},
};

void InnerTagLine(DetailBuild& b, DetailItem& item) {
    static const std::string labels[] = {
        Cp932::FromUtf8(kInnerTags[0].label), Cp932::FromUtf8(kInnerTags[1].label),
        Cp932::FromUtf8(kInnerTags[2].label), Cp932::FromUtf8(kInnerTags[3].label)};
    item.Pattern(0xFF);
    if (b.facility.componentKind != FacilityDecoder::kInvoke) return;
    for (size_t i = 0; i < std::size(kInnerTags); ++i) {
        if (kInnerTags[i].tag != item.Octet()) continue;
        item.Add("\t").Add(labels[i]).Add(b.catalogue.Lookup(kInnerTags[i].section, item.Octet()));
        b.facility.inner = kInnerTags[i].kind;
        return;
    }
}

void ContentLine(DetailBuild& b, DetailItem& item) {
    FacilityState& f = b.facility;
    item.Pattern(0xFF);
    if (f.componentKind == FacilityDecoder::kInvoke) {
        switch (f.inner) {
            case FacilityState::kInvokeId:
                item.Add(VELK_SJIS("\tｲﾝﾎﾞｰｸ識別子=")).AddNumber(item.Octet());
                break;
            case FacilityState::kLinkedId:
                item.Add(VELK_SJIS("\tﾘﾝｸ識別子=")).AddNumber(item.Octet());
                break;
            case FacilityState::kOperationValue:
                OperationValue(f, item);
                break;
            case FacilityState::kParameter:
                Parameter(f, item);
                break;
            case FacilityState::kNoInner:
                break;
        }
    }
    --f.remaining;
    ++f.contentIndex;
    if (f.remaining == 0) b.element.state = kInnerTag;
}

// A short-form length, or the first octet of a two-octet length.
void LengthLine(DetailBuild& b, DetailItem& item, bool component) {
    FacilityState& f = b.facility;
    const uint8_t v = item.Octet();
    if (v & 0x80) {
        item.Field(0x80, VELK_SJIS("拡張=2ｵｸﾃｯﾄの内容長"));
        item.Field(0x7F, VELK_SJIS("内容長=1ｵｸﾃｯﾄめ"));
        f.remaining = static_cast<uint32_t>(v & 0x7F) << 8;
        b.element.state = component ? kComponentLength2
                                   : kInnerLength2;
        return;
    }
    f.remaining = v;
    f.contentIndex = 0;
    item.Field(0xFF, VELK_SJIS("内容長=")).AddNumber(v);
    // An empty inner element has no content: the next octet is a tag.
    b.element.state = component || f.remaining == 0 ? kInnerTag
                                                   : kContent;
}

void SecondLengthLine(DetailBuild& b, DetailItem& item, bool component) {
    FacilityState& f = b.facility;
    f.remaining |= item.Octet();
    f.contentIndex = 0;
    item.Field(0xFF, VELK_SJIS("内容長=")).AddNumber(static_cast<long>(f.remaining));
    b.element.state = component || f.remaining == 0 ? kInnerTag
                                                   : kContent;
}

}  // namespace

void FacilityDecoder::Content(DetailBuild& b, DetailItem& item, const ElementWalk::Place& place) {
    const uint8_t v = item.Octet();
    if (place.offset == 2) {
        item.Field(0x1F, VELK_SJIS("ﾌﾟﾛﾄｺﾙﾌﾟﾛﾌｧｲﾙ="))
            .Add(b.catalogue.Lookup(MC::IF_FACILITY, v & 0x1F));
        b.element.state = (v & 0x1F) == kRemoteOperations ? kComponentTag : kDone;
        return;
    }
    switch (b.element.state) {
        case kComponentTag:
            item.Field(0xFF, VELK_SJIS("ｺﾝﾎﾟｰﾈﾝﾄ種別="))
                .Add(b.catalogue.Lookup(MC::IF_FACILITY_COMPONENT_KIND, v));
            b.facility.componentKind = v;
            b.element.state = kComponentLength;
            return;
        case kComponentLength:
        case kInnerLength:
            LengthLine(b, item, b.element.state == kComponentLength);
            return;
        case kComponentLength2:
        case kInnerLength2:
            SecondLengthLine(b, item, b.element.state == kComponentLength2);
            return;
        case kInnerTag:
            InnerTagLine(b, item);
            b.element.state = kInnerLength;
            return;
        case kContent:
            ContentLine(b, item);
            return;
    }
}
