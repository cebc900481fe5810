#include "decode/X25Decoder.h"

#include "base/Cp932.h"
#include "base/Hex.h"
#include "decode/DetailItem.h"
#include "decode/X25PacketKind.h"

namespace {

using MC = MessageCatalogue;

bool IsCallPacket(int kind) { return kind >= 0 && kind <= 3; }

// The packet kind's catalogue text splits into the item tag (before the
// first comma, plus "+") and the name (after it).
struct PacketType {
    std::string tag;
    std::string_view name;
    std::string hex;  // the name of an identifier without a kind
};

void NameOf(const DetailBuild& b, int kind, PacketType& type) {
    if (kind == X25PacketKind::kNone) {
        int p = b.frame.InfoOctet(2);
        if (p != FrameLayout::kAbsent) Hex::AppendOctet(type.hex.append("0x"), static_cast<uint8_t>(p));
        type.name = type.hex;
    } else {
        std::string_view text = b.catalogue.Lookup(MC::IF_X25_PTYPE, static_cast<uint8_t>(kind));
        size_t comma = text.find(',');
        type.name = comma == std::string_view::npos ? text : text.substr(comma + 1);
        if (comma != std::string_view::npos) type.tag.assign(text.substr(0, comma));
    }
    type.tag.push_back('+');
}

void Header(DetailItem& item, int kind) {
    const uint8_t v = item.Octet();
    if (kind == X25Decoder::kData)
        item.Field(0x80, VELK_SJIS("Qﾋﾞｯﾄ=")).Add((v & 0x80) ? "1" : "0");
    if (IsCallPacket(kind))
        item.Field(0x40, VELK_SJIS("Dﾋﾞｯﾄ="))
            .Add((v & 0x40) ? VELK_SJIS("ｻﾎﾟｰﾄ") : VELK_SJIS("未ｻﾎﾟｰﾄ"));
    else if (kind == X25Decoder::kData)
        item.Field(0x40, VELK_SJIS("Dﾋﾞｯﾄ="))
            .Add((v & 0x40) ? VELK_SJIS("ｴﾝﾄﾞ･ｴﾝﾄﾞ確認") : VELK_SJIS("ﾛｰｶﾙ確認"));
    uint8_t mask = kind == X25Decoder::kData ? 0x30 : IsCallPacket(kind) ? 0xB0 : 0xF0;
    item.Field(mask, VELK_SJIS("ｾﾞﾈﾗﾙﾌｫｰﾏｯﾄ識別子=")).AddNumber((v >> 4) & 0x03);
    item.Field(0x0F, VELK_SJIS("論理ﾁｬﾈﾙｸﾞﾙｰﾌﾟ番号=")).AddNumber(v & 0x0F);
}

void TypeIdentifier(DetailBuild& b, DetailItem& item, int kind, std::string_view name) {
    const uint8_t v = item.Octet();
    const std::string& label = VELK_SJIS("ﾊﾟｹｯﾄﾀｲﾌﾟ識別子=");
    if (kind == X25Decoder::kData) {
        item.Field(0x01, label).Add(name);
        item.Field(0x0E, VELK_SJIS("送側順序番号=")).AddNumber((v & 0x0E) / 2);
        item.Field(0x10, VELK_SJIS("ﾓｱﾃﾞｰﾀ=")).Add((v & 0x10) ? VELK_SJIS("あり") : VELK_SJIS("なし"));
        item.Field(0xE0, VELK_SJIS("受信順序番号=")).AddNumber(v / 32);
    } else if (kind == 12 || kind == 13) {
        item.Field(0x1F, label).Add(name);
        item.Field(0xE0, VELK_SJIS("順序番号=")).AddNumber(v / 32);
    } else {
        item.Field(0xFF, label).Add(name);
    }
    if (kind == 4 || kind == 5) b.elementState = X25Decoder::kClearingCause;
    else if (kind == 8 || kind == 9) b.elementState = X25Decoder::kRestartCause;
    else b.elementState = X25Decoder::kAddressLengths;
}

// Address digits between double quotes; nibbles above 9 are left out.
void Digits(DetailItem& item, uint8_t mask, std::string_view label, bool high, bool low) {
    const uint8_t v = item.Octet();
    item.Field(mask, label).Add("\"");
    if (high && (v >> 4) <= 9) item.Text().push_back(static_cast<char>('0' + (v >> 4)));
    if (low && (v & 0x0F) <= 9) item.Text().push_back(static_cast<char>('0' + (v & 0x0F)));
    item.Add("\"");
}

void AddressDigits(DetailBuild& b, DetailItem& item) {
    const std::string& called = VELK_SJIS("着呼ﾕｰｻﾞｱﾄﾞﾚｽ=");
    const std::string& calling = VELK_SJIS("発呼ﾕｰｻﾞｱﾄﾞﾚｽ=");
    if (b.second >= 2) {
        Digits(item, 0xFF, called, true, true);
        b.second -= 2;
    } else if (b.second == 1) {
        Digits(item, 0xF0, called, true, false);
        b.second = 0;
        if (b.first != 0) {
            // The calling address starts in the same octet, on the same line.
            item.SameLine();
            Digits(item, 0x0F, calling, false, true);
            b.first -= 1;
        }
    } else if (b.second == 0 && b.first >= 2) {
        Digits(item, 0xFF, calling, true, true);
        b.first -= 2;
    } else if (b.second == 0 && b.first == 1) {
        Digits(item, 0xF0, calling, true, false);
        b.first = 0;
    }
    if (b.first == 0 && b.second == 0) b.elementState = X25Decoder::kFacilityLength;
}

// After a facility parameter: the next code, or the user data at the end.
void NextFacility(DetailBuild& b) {
    b.elementState = b.first == 0 ? X25Decoder::kUserData : X25Decoder::kFacilityCode;
}

uint8_t FacilityStateOf(uint8_t code) {
    switch (code) {
        case 0x01: return X25Decoder::kFastSelect;
        case 0x02: return X25Decoder::kThroughput;
        case 0x08: return 46;
        case 0x42: return X25Decoder::kPacketSizes;
        case 0x43: return X25Decoder::kWindowSizes;
        case 0x49: return 49;
        case 0x44: return 50;
        default: return X25Decoder::kUnknownParameter;
    }
}

// The two-octet parameters: the called user's value, then the calling user's.
void SizePair(DetailBuild& b, DetailItem& item, uint8_t mask, long value, std::string_view unit) {
    b.first -= 1;
    if (b.second == 0) {
        item.Field(mask, VELK_SJIS("着呼ﾕｰｻﾞからのｻｲｽﾞ=")).AddNumber(value).Add(unit);
        b.second = 1;
    } else {
        item.Field(mask, VELK_SJIS("発呼ﾕｰｻﾞからのｻｲｽﾞ=")).AddNumber(value).Add(unit);
        NextFacility(b);
    }
}

void UserData(DetailItem& item) { item.Field(0xFF, VELK_SJIS("ﾕｰｻﾞｰﾃﾞｰﾀ=")).AddQuotedChar(); }

void Body(DetailBuild& b, DetailItem& item, int kind) {
    const uint8_t v = item.Octet();
    const MC& c = b.catalogue;
    if (kind == X25Decoder::kData) {
        UserData(item);
        return;
    }
    switch (b.elementState) {
        case X25Decoder::kAddressLengths:
            b.first = v >> 4;
            b.second = v & 0x0F;
            item.Field(0xF0, VELK_SJIS("発呼ﾕｰｻﾞｱﾄﾞﾚｽ長=")).AddNumber(b.first);
            item.Field(0x0F, VELK_SJIS("着呼ﾕｰｻﾞｱﾄﾞﾚｽ長=")).AddNumber(b.second);
            b.elementState = b.first == 0 && b.second == 0 ? X25Decoder::kFacilityLength
                                                           : X25Decoder::kAddressDigits;
            return;
        case X25Decoder::kAddressDigits:
            AddressDigits(b, item);
            return;
        case X25Decoder::kClearingCause:
            item.Field(0xFF, VELK_SJIS("切断原因=")).Add(c.Lookup(MC::IF_X25_CAUSE, v));
            b.elementState = X25Decoder::kClearingDiagnostic;
            return;
        case X25Decoder::kClearingDiagnostic:
            item.Field(0xFF, VELK_SJIS("診断符号=")).Add(c.Lookup(MC::IF_X25_DIAG, v));
            b.elementState = X25Decoder::kAddressLengths;
            return;
        case X25Decoder::kRestartCause:
            // Restart request (TX) shows the number, restart indication the name.
            item.Field(0xFF, VELK_SJIS("ﾘｽﾀｰﾄ原因="));
            if (kind == 8) item.AddNumber(v);
            else item.Add(c.Lookup(MC::IF_X25_RECAUSE, v));
            b.elementState = X25Decoder::kRestartDiagnostic;
            return;
        case X25Decoder::kRestartDiagnostic:
            item.Field(0xFF, VELK_SJIS("診断符号="));
            if (kind == 8) item.AddNumber(v);
            else item.Add(c.Lookup(MC::IF_X25_DIAG, v));
            b.elementState = 0;
            return;
        case X25Decoder::kFacilityLength:
            item.Field(0xFF, VELK_SJIS("ﾌｧｼﾘﾃｨ長=")).AddNumber(v);
            b.first = v;
            // An empty facility field: the user data follows at once.
            b.elementState = v == 0 ? X25Decoder::kUserData : X25Decoder::kFacilityCode;
            return;
        case X25Decoder::kFacilityCode:
            item.Field(0xFF, VELK_SJIS("ﾕｰｻﾞｰﾌｧｼﾘﾃｨ=")).Add(c.Lookup(MC::IF_X25_UF, v));
            b.first -= 1;
            b.second = 0;
            b.elementState = FacilityStateOf(v);
            return;
        case X25Decoder::kFastSelect:
            item.Field(0xC0, VELK_SJIS("ﾌｧｽﾄｾﾚｸﾄ=")).Add(c.Lookup(MC::IF_X25_UF_FAST, v & 0xC0));
            item.Field(0x01, VELK_SJIS("着信課金要求=")).Add(c.Lookup(MC::IF_X25_UF_PAYREQ, v & 0x01));
            b.first -= 1;
            NextFacility(b);
            return;
        case X25Decoder::kThroughput:
            item.Field(0xF0, VELK_SJIS("着呼ﾕｰｻﾞからのｸﾗｽ="))
                .Add(c.Lookup(MC::IF_X25_UF_THROUGH, v >> 4))
                .Add(" bit/s");
            item.Field(0x0F, VELK_SJIS("発呼ﾕｰｻﾞからのｸﾗｽ="))
                .Add(c.Lookup(MC::IF_X25_UF_THROUGH, v & 0x0F))
                .Add(" bit/s");
            b.first -= 1;
            NextFacility(b);
            return;
        case X25Decoder::kPacketSizes:
            SizePair(b, item, 0x0F, 1L << (v & 0x0F), " byte");
            return;
        case X25Decoder::kWindowSizes:
            SizePair(b, item, 0x7F, v & 0x7F, "");
            return;
        case X25Decoder::kUnknownParameter:
            b.first -= 1;
            if (b.first == 0) b.elementState = X25Decoder::kUserData;
            return;
        case X25Decoder::kUserData:
            UserData(item);
            return;
        default:  // 46, 49, 50, 0: the rest of the packet is not decoded
            return;
    }
}

}  // namespace

void X25Decoder::Decode(DetailBuild& b, std::string& text, int position, int offset) {
    int octet = b.frame.Record().ByteAt(static_cast<size_t>(position));
    if (octet == FrameLayout::kAbsent) return;
    DetailItem item(text, static_cast<uint8_t>(octet));
    int kind = X25PacketKind::Of(b.frame);
    PacketType type;
    NameOf(b, kind, type);
    item.Prefix(type.tag, offset, b.Icons());
    if (offset == 0) {
        Header(item, kind);
    } else if (offset == 1) {
        item.Field(0xFF, VELK_SJIS("論理ﾁｬﾈﾙ番号=")).AddNumber(item.Octet());
    } else if (offset == 2) {
        TypeIdentifier(b, item, kind, type.name);
    } else {
        Body(b, item, kind);
    }
}
