#include "decode/DetailDecoder.h"

#include <array>

#include "base/Cp932.h"
#include "decode/DetailBuild.h"
#include "decode/DetailItem.h"
#include "decode/ElementWalk.h"
#include "decode/InformationElements.h"
#include "decode/Layer2Fields.h"
#include "decode/Layer3Fields.h"
#include "decode/X25Decoder.h"

namespace {

using Kind = DetailDecoder::FieldKind;
using OctetClass = DetailDecoder::OctetClass;
constexpr int kAbsent = FrameLayout::kAbsent;

// The field of position p, in the order of the fields whatever the frame
// holds (a field whose octets are missing still has its position). Element
// octets are given with offset 0; the walk places them.
OctetClass Classify(const FrameLayout& frame, int p) {
    const int length = static_cast<int>(frame.Record().Length());
    const FrameLayout::Protocol protocol = frame.SapiProtocol();
    if (protocol == FrameLayout::kOtherSapi || p < 0 || p >= length) return {Kind::kUnclassified, 0};
    if (p == 0) return {Kind::kOpeningFlag, 0};
    if (p == length - 3 || p == length - 2) return {Kind::kFcs, p - (length - 3)};
    if (p == length - 1) return {Kind::kClosingFlag, 0};
    const int control = frame.NominalControl();
    const int info = frame.NominalInfo();
    if (p < control) return {Kind::kAddress, p - 1};
    if (p < info) return {Kind::kControl, p - control};
    if (protocol == FrameLayout::kManagement) return {Kind::kManagement, p - info};
    if (protocol == FrameLayout::kPacket) return {Kind::kPacket, p - info};
    const int messageType = frame.NominalMessageType();
    if (p == info) return {Kind::kProtocol, 0};
    if (p == info + 1) return {Kind::kCallRefLength, 0};
    if (p > info + 1 && p <= info + 1 + frame.NominalCallRefLength()) return {Kind::kCallRefValue, p - info - 2};
    if (p == messageType) return {Kind::kMessageType, 0};
    if (p < messageType) return {Kind::kUnclassified, 0};
    return {Kind::kElement, 0};
}

void AddressItem(DetailBuild& b, DetailItem& item, int offset) {
    const FrameLayout& r = b.frame;
    if (offset == 0) {
        Layer2Fields::AppendSapiField(item.Field(0xFC, {}).Text(), r, b.catalogue);
        Layer2Fields::AppendCommandResponseField(item.Field(0x02, {}).Text(), r, b.catalogue);
    } else if (offset == 1) {
        int tei = Layer2Fields::Tei(r);
        if (tei == kAbsent) return;
        Layer2Fields::AppendTeiField(item.Field(0xFE, {}).Text(), r, b.catalogue);
        item.Add("(TEI=").AddNumber(tei).Add(")");
    }
}

void ControlItem(DetailBuild& b, DetailItem& item, int offset) {
    const FrameLayout& r = b.frame;
    const MessageCatalogue& c = b.catalogue;
    if (offset == 0) {
        const std::string& command = VELK_SJIS("ｺﾏﾝﾄﾞ=");
        if (r.IsIFrame()) {
            Layer2Fields::AppendFrameTypeName(item.Field(0x01, command).Text(), r, c);
            Layer2Fields::AppendSendSequenceField(item.Field(0xFE, {}).Text(), r);
        } else if (r.IsSFrame()) {
            Layer2Fields::AppendFrameTypeName(item.Field(0x0F, command).Text(), r, c);
        } else {
            Layer2Fields::AppendFrameTypeName(item.Field(0xEF, command).Text(), r, c);
            Layer2Fields::AppendPollFinalField(item.Field(0x10, {}).Text(), r, c);
        }
    } else if (offset == 1) {
        Layer2Fields::AppendReceiveSequenceField(item.Field(0xFE, {}).Text(), r);
        Layer2Fields::AppendPollFinalField(item.Field(0x01, {}).Text(), r, c);
    }
}

void ManagementItem(DetailBuild& b, DetailItem& item, int offset) {
    switch (offset) {
        case 0: item.Field(0xFF, VELK_SJIS("ﾏﾈｼﾞﾒﾝﾄｴﾝﾃｨﾃｨ識別子")); return;
        case 1:
        case 2: item.Field(0xFF, VELK_SJIS("参照番号(Ri)")); return;
        case 3: item.Field(0xFF, Layer2Fields::ManagementMessageType(b.frame, b.catalogue)); return;
        case 4: item.Field(0xFE, Layer2Fields::ActionIndicator(b.frame, b.catalogue)); return;
    }
}

void CallRefValueItem(DetailBuild& b, DetailItem& item, int offset) {
    const FrameLayout& r = b.frame;
    const int callRefLength = r.NominalCallRefLength();
    const std::string& label = VELK_SJIS("呼番号=");
    if (offset == 0) {
        item.Field(0x80, Layer3Fields::CallRefFlag(r, b.catalogue));
        item.Field(0x7F, label);
        if (callRefLength == 1) item.AddNumber(item.Octet() & 0x7F);
        else item.Add(b.catalogue.Lookup(MessageCatalogue::IF_CALLNUMLEN,
                                         static_cast<uint8_t>(callRefLength)));
        return;
    }
    item.Field(0xFF, label);
    int value = r.CallReference();
    if (value >= 0) item.AddNumber(value);
}

void FlagItem(DetailBuild&, DetailItem& item, int) {
    item.Pattern(0xFF);
    item.Add("\tHDLC flag");
}

void FcsItem(DetailBuild& b, DetailItem& item, int) {
    Layer2Fields::AppendCrcField(item.Field(0xFF, {}).Text(), b.frame.Record().CheckCrc(), b.catalogue);
}

void ProtocolItem(DetailBuild& b, DetailItem& item, int) {
    item.Field(0xFF, Layer3Fields::ProtocolDiscriminator(b.frame, b.catalogue));
}

void CallRefLengthItem(DetailBuild& b, DetailItem& item, int) {
    item.Field(0x0F, Layer3Fields::CallRefLengthText(b.frame));
}

void MessageTypeItem(DetailBuild& b, DetailItem& item, int) {
    item.Field(0x7F, VELK_SJIS("ﾒｯｾｰｼﾞ種別=")).Add(Layer3Fields::MessageTypeName(b.frame, b.catalogue));
}

// The fields of the frame with their item tags, titles and writers. Packet
// and element octets have decoders of their own; unclassified octets are bare.
struct Field {
    Kind kind;
    const char* tag;     // UTF-8
    enum Offset : uint8_t { kNone, kHex, kDecimal } offset;
    const char* title;   // UTF-8; nullptr: none
    void (*write)(DetailBuild&, DetailItem&, int offset);
};
constexpr Field kFields[] = {
    {Kind::kOpeningFlag, "Flag", Field::kNone, nullptr, FlagItem},
    {Kind::kAddress, "AF+", Field::kHex, "＜＜アドレスフィールド＞＞", AddressItem},
    {Kind::kControl, "CF+", Field::kHex, "＜＜コントロールフィールド＞＞", ControlItem},
    {Kind::kProtocol, "PRTCL", Field::kNone, "＜＜インフォメーションフィールド＞＞", ProtocolItem},
    {Kind::kCallRefLength, "CNLEN", Field::kNone, nullptr, CallRefLengthItem},
    {Kind::kCallRefValue, "CN+", Field::kHex, nullptr, CallRefValueItem},
    {Kind::kMessageType, "MESG", Field::kNone, nullptr, MessageTypeItem},
    {Kind::kManagement, "L2+", Field::kHex, "＜＜インフォメーションフィールド＞＞", ManagementItem},
    {Kind::kPacket, "", Field::kHex, "＜＜インフォメーションフィールド＞＞", nullptr},  // its title only
    {Kind::kFcs, "CRC+", Field::kDecimal, "＜＜フレームチェックシーケンス＞＞", FcsItem},
    {Kind::kClosingFlag, "Flag", Field::kNone, nullptr, FlagItem},
};

// The rows by kind, with tags and titles (title mark first) in CP932.
struct Fields {
    static constexpr size_t kKinds = Kind::kUnclassified + 1;
    std::array<const Field*, kKinds> rows{};
    std::array<std::string, kKinds> tags;
    std::array<std::string, kKinds> titles;
    Fields() {
        for (const Field& f : kFields) {
            rows[f.kind] = &f;
            tags[f.kind] = Cp932::FromUtf8(f.tag);
            if (f.title) titles[f.kind] = DetailItem::kTitle + Cp932::FromUtf8(f.title);
        }
    }
};

const Fields& FieldTable() {
    static const Fields fields;
    return fields;
}

}  // namespace

DetailDecoder& DetailDecoder::Program() {
    static DetailDecoder decoder;
    return decoder;
}

DetailDecoder::OctetClass DetailDecoder::ClassifyOctet(const FrameRecord& record, int position) {
    const FrameLayout frame(record);
    OctetClass c = Classify(frame, position);
    if (c.kind == kElement) c.offset = ElementWalk::LocateElement(frame, position).offset;
    return c;
}

void DetailDecoder::Build(const FrameRecord& record, const DisplayOptions& options,
                          const MessageCatalogue& catalogue, std::vector<std::string>& items) {
    text_.clear();
    ends_.clear();
    Append(record, options, catalogue, text_, ends_);
    items.resize(ends_.size());
    for (size_t i = 0, begin = 0; i < ends_.size(); begin = ends_[i++]) items[i].assign(text_, begin, ends_[i] - begin);
}

void DetailDecoder::Append(const FrameRecord& record, const DisplayOptions& options,
                           const MessageCatalogue& catalogue, std::string& text, std::vector<uint32_t>& ends) {
    const FrameLayout frame(record);
    DetailBuild b(frame, options, catalogue, facility_);
    const Fields& fields = FieldTable();
    ElementWalk walk(frame, frame.NominalMessageType() + 1);
    FieldKind previous = kNoKind;
    const int length = static_cast<int>(record.Length());
    auto end = [&] { ends.push_back(static_cast<uint32_t>(text.size())); };
    for (int p = 0; p < length; ++p) {
        const OctetClass c = Classify(frame, p);
        if (c.kind != previous) {
            previous = c.kind;
            if (options.showTitles && !fields.titles[c.kind].empty()) {
                text.append(fields.titles[c.kind]);
                end();
            }
        }
        if (c.kind == kElement) {
            InformationElements::Decode(b, text, p, walk.Locate(p));
        } else if (c.kind == kPacket) {
            X25Decoder::Decode(b, text, p, c.offset);
        } else {
            DetailItem item(text, static_cast<uint8_t>(record.ByteAt(static_cast<size_t>(p))));
            const Field* field = fields.rows[c.kind];
            if (!field || !field->write) {
                item.Bare();
            } else {
                item.Prefix(fields.tags[c.kind], field->offset == Field::kNone ? DetailItem::kNoOffset : c.offset,
                            b.Icons(), field->offset == Field::kDecimal);
                field->write(b, item, c.offset);
            }
        }
        end();
    }
}
