#include "decode/X25Decoder.h"

#include "base/Cp932.h"
#include "base/Hex.h"
#include "decode/DetailItem.h"
#include "decode/X25PacketKind.h"

namespace {

using MC = MessageCatalogue;
using K = X25PacketKind;

// Where the octets after the packet type identifier stand.
enum State : uint8_t {
    kNoText,             // the rest of the packet gets no field text
    kAddressLengths,
    kAddressDigits,
    kClearingCause,
    kClearingDiagnostic,
    kRestartCause,
    kRestartDiagnostic,
    kFacilityLength,
    kFacilityCode,
    kFastSelect,         // parameter of facility 0x01
    kThroughput,         // parameter of facility 0x02
    kPacketSizes,        // parameters of facility 0x42
    kWindowSizes,        // parameters of facility 0x43
    kUnknownParameter,   // passed over without text
    kUserData,
};

// The packet kind's catalogue text splits into the item tag (before the
// first comma, plus "+") and the name (after it).
struct PacketType {
    std::string tag;
    std::string_view name;
    std::string hex;  // the name of an identifier without a kind
};

void NameOf(const DetailBuild& b, K::Kind kind, PacketType& type) {
    if (kind == K::kNone) {
        const int p = b.frame.InfoOctet(2);
        if (p != FrameLayout::kAbsent) Hex::AppendOctet(type.hex.append("0x"), static_cast<uint8_t>(p));
        type.name = type.hex;
    } else {
        std::string_view text = b.catalogue.Lookup(MC::IF_X25_PTYPE, static_cast<uint8_t>(kind));
        const size_t comma = text.find(',');
        type.name = comma == std::string_view::npos ? text : text.substr(comma + 1);
        if (comma != std::string_view::npos) type.tag.assign(text.substr(0, comma));
    }
    type.tag.push_back('+');
}

void Header(DetailItem& item, K::Kind kind) {
    const uint8_t v = item.Octet();
    if (kind == K::kData) item.Field(0x80, VELK_SJIS("Qﾋﾞｯﾄ=")).Add((v & 0x80) ? "1" : "0");
    if (K::IsCall(kind))
        item.Field(0x40, VELK_SJIS("Dﾋﾞｯﾄ=")).Add((v & 0x40) ? VELK_SJIS("ｻﾎﾟｰﾄ") : VELK_SJIS("未ｻﾎﾟｰﾄ"));
    else if (kind == K::kData)
        item.Field(0x40, VELK_SJIS("Dﾋﾞｯﾄ="))
            .Add((v & 0x40) ? VELK_SJIS("ｴﾝﾄﾞ･ｴﾝﾄﾞ確認") : VELK_SJIS("ﾛｰｶﾙ確認"));
    const uint8_t mask = kind == K::kData ? 0x30 : K::IsCall(kind) ? 0xB0 : 0xF0;
    item.Field(mask, VELK_SJIS("ｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=")).AddNumber((v >> 4) & 0x03);
    item.Field(0x0F, VELK_SJIS("論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=")).AddNumber(v & 0x0F);
}

void TypeIdentifier(DetailBuild& b, DetailItem& item, K::Kind kind, std::string_view name) {
    const uint8_t v = item.Octet();
    const std::string& label = VELK_SJIS("ﾊﾟｹｯﾄﾀｲﾌﾟ識別子=");
    if (kind == K::kData) {
        item.Field(0x01, label).Add(name);
        item.Field(0x0E, VELK_SJIS("送側順序番号=")).AddNumber((v & 0x0E) / 2);
        item.Field(0x10, VELK_SJIS("ﾓｱﾃﾞｰﾀ=")).Add((v & 0x10) ? VELK_SJIS("あり") : VELK_SJIS("なし"));
        item.Field(0xE0, VELK_SJIS("受信順序番号=")).AddNumber(v / 32);
    } else if (kind == K::kReceiveReady || kind == K::kReceiveNotReady) {
        item.Field(0x1F, label).Add(name);
        item.Field(0xE0, VELK_SJIS("順序番号=")).AddNumber(v / 32);
    } else {
        item.Field(0xFF, label).Add(name);
    }
    b.element.state = K::IsClear(kind) ? kClearingCause : K::IsRestart(kind) ? kRestartCause : kAddressLengths;
}

// Address digits between double quotes; nibbles above 9 are left out.
void Digits(DetailItem& item, uint8_t mask, std::string_view label, bool high, bool low) {
    const uint8_t v = item.Octet();
    item.Field(mask, label).Add("\"");
    if (high && (v >> 4) <= 9) item.Text().push_back(static_cast<char>('0' + (v >> 4)));
    if (low && (v & 0x0F) <= 9) item.Text().push_back(static_cast<char>('0' + (v & 0x0F)));
    item.Add("\"");
}

// The called address first, then the calling address, two digits an octet;
// first and second count the calling and called digits still to come.
void AddressDigits(DetailBuild& b, DetailItem& item) {
    const std::string& called = VELK_SJIS("着呼ﾕｰｻﾞｱﾄﾞﾚｽ=");
    const std::string& calling = VELK_SJIS("発呼ﾕｰｻﾞｱﾄﾞﾚｽ=");
    int32_t& callingLeft = b.element.first;
    int32_t& calledLeft = b.element.second;
    if (calledLeft >= 2) {
        Digits(item, 0xFF, called, true, true);
        calledLeft -= 2;
    } else if (calledLeft == 1) {
        Digits(item, 0xF0, called, true, false);
        calledLeft = 0;
        if (callingLeft != 0) {
            // The calling address starts in the same octet, on the same line.
            item.SameLine();
            Digits(item, 0x0F, calling, false, true);
            callingLeft -= 1;
        }
    } else if (calledLeft == 0 && callingLeft >= 2) {
        Digits(item, 0xFF, calling, true, true);
        callingLeft -= 2;
    } else if (calledLeft == 0 && callingLeft == 1) {
        Digits(item, 0xF0, calling, true, false);
        callingLeft = 0;
    }
    if (callingLeft == 0 && calledLeft == 0) b.element.state = kFacilityLength;
}

// After a facility parameter: the next code, or the user data at the end of
// the facility field (first counts its octets still to come).
void NextFacility(DetailBuild& b) { b.element.state = b.element.first == 0 ? kUserData : kFacilityCode; }

State FacilityParameter(uint8_t code) {
    switch (code) {
        case 0x01: return kFastSelect;
        case 0x02: return kThroughput;
        case 0x42: return kPacketSizes;
        case 0x43: return kWindowSizes;
        // Charging information, RPOA and call deflection: the rest is not read.
        case 0x08: case 0x44: case 0x49: return kNoText;
        default: return kUnknownParameter;
    }
}

// The two-octet parameters: the called user's value, then the calling
// user's (second tells which).
void SizePair(DetailBuild& b, DetailItem& item, uint8_t mask, long value, std::string_view unit) {
    b.element.first -= 1;
    if (b.element.second == 0) {
        item.Field(mask, VELK_SJIS("着呼ﾕｰｻﾞからのｻｲｽﾞ=")).AddNumber(value).Add(unit);
        b.element.second = 1;
    } else {
        item.Field(mask, VELK_SJIS("発呼ﾕｰｻﾞからのｻｲｽﾞ=")).AddNumber(value).Add(unit);
        NextFacility(b);
    }
}

void UserData(DetailItem& item) { item.Field(0xFF, VELK_SJIS("ﾕｰｻﾞｰﾃﾞｰﾀ=")).AddQuotedChar(); }

void Body(DetailBuild& b, DetailItem& item, K::Kind kind) {
    const uint8_t v = item.Octet();
    const MC& c = b.catalogue;
    DetailBuild::ElementMemory& m = b.element;
    if (kind == K::kData) {
        UserData(item);
        return;
    }
    switch (m.state) {
        case kAddressLengths:
            m.first = v >> 4;
            m.second = v & 0x0F;
            item.Field(0xF0, VELK_SJIS("発呼ﾕｰｻﾞｱﾄﾞﾚｽ長=")).AddNumber(m.first);
            item.Field(0x0F, VELK_SJIS("着呼ﾕｰｻﾞｱﾄﾞﾚｽ長=")).AddNumber(m.second);
            m.state = m.first == 0 && m.second == 0 ? kFacilityLength : kAddressDigits;
            return;
        case kAddressDigits:
            AddressDigits(b, item);
            return;
        case kClearingCause:
            item.Field(0xFF, VELK_SJIS("切断原因=")).Add(c.Lookup(MC::IF_X25_CAUSE, v));
            m.state = kClearingDiagnostic;
            return;
        case kClearingDiagnostic:
            item.Field(0xFF, VELK_SJIS("診断符号=")).Add(c.Lookup(MC::IF_X25_DIAG, v));
            m.state = kAddressLengths;  // the address block of an extended clear packet
            return;
        case kRestartCause:
            // Restart request (TX) shows the number, restart indication the name.
            item.Field(0xFF, VELK_SJIS("ﾘｽﾀｰﾄ原因="));
            if (kind == K::kRestartRequest) item.AddNumber(v);
            else item.Add(c.Lookup(MC::IF_X25_RECAUSE, v));
            m.state = kRestartDiagnostic;
            return;
        case kRestartDiagnostic:
            item.Field(0xFF, VELK_SJIS("診断符号="));
            if (kind == K::kRestartRequest) item.AddNumber(v);
            else item.Add(c.Lookup(MC::IF_X25_DIAG, v));
            m.state = kNoText;
            return;
        case kFacilityLength:
            item.Field(0xFF, VELK_SJIS("ﾌｧｼﾘﾃｨ長=")).AddNumber(v);
            m.first = v;
            // An empty facility field: the user data follows at once.
            m.state = v == 0 ? kUserData : kFacilityCode;
            return;
        case kFacilityCode:
            item.Field(0xFF, VELK_SJIS("ﾕｰｻﾞｰﾌｧｼﾘﾃｨ=")).Add(c.Lookup(MC::IF_X25_UF, v));
            m.first -= 1;
            m.second = 0;
            m.state = FacilityParameter(v);
            return;
        case kFastSelect:
            item.Field(0xC0, VELK_SJIS("ﾌｧｽﾄｾﾚｸﾄ=")).Add(c.Lookup(MC::IF_X25_UF_FAST, v & 0xC0));
            item.Field(0x01, VELK_SJIS("着信課金要求=")).Add(c.Lookup(MC::IF_X25_UF_PAYREQ, v & 0x01));
            m.first -= 1;
            NextFacility(b);
            return;
        case kThroughput:
            item.Field(0xF0, VELK_SJIS("着呼ﾕｰｻﾞからのｸﾗｽ="))
                .Add(c.Lookup(MC::IF_X25_UF_THROUGH, v >> 4))
                .Add(" bit/s");
            item.Field(0x0F, VELK_SJIS("発呼ﾕｰｻﾞからのｸﾗｽ="))
                .Add(c.Lookup(MC::IF_X25_UF_THROUGH, v & 0x0F))
                .Add(" bit/s");
            m.first -= 1;
            NextFacility(b);
            return;
        case kPacketSizes:
            SizePair(b, item, 0x0F, 1L << (v & 0x0F), " byte");
            return;
        case kWindowSizes:
            SizePair(b, item, 0x7F, v & 0x7F, "");
            return;
        case kUnknownParameter:
            m.first -= 1;
            if (m.first == 0) m.state = kUserData;
            return;
        case kUserData:
            UserData(item);
            return;
        default:
            return;
    }
}

}  // namespace

void X25Decoder::Decode(DetailBuild& b, std::string& text, int position, int offset) {
    int octet = b.frame.Record().ByteAt(static_cast<size_t>(position));
    if (octet == FrameLayout::kAbsent) return;
    DetailItem item(text, static_cast<uint8_t>(octet));
    const K::Kind kind = K::Of(b.frame);
    PacketType type;
    NameOf(b, kind, type);
    item.Prefix(type.tag, offset, b.Icons());
    if (offset == 0) {
        b.element = DetailBuild::ElementMemory();
        Header(item, kind);
    } else if (offset == 1) {
        item.Field(0xFF, VELK_SJIS("論理ﾁｬﾈﾙ番号=")).AddNumber(item.Octet());
    } else if (offset == 2) {
        TypeIdentifier(b, item, kind, type.name);
    } else {
        Body(b, item, kind);
    }
}
