#include "decode/CauseDecoder.h"

#include "base/Cp932.h"
#include "decode/FieldGroup.h"

namespace {

using MC = MessageCatalogue;
using FG = FieldGroup;

enum State : uint8_t { kDone, kOctet3a, kCauseValue, kDiagnostic };

void Diagnostic(DetailBuild& b, DetailItem& item, int causeValue) {
    const uint8_t v = item.Octet();
    const std::string& label = VELK_SJIS("診断情報=");
    switch (causeValue) {
        case CauseDecoder::kUnallocatedNumber:
        case CauseDecoder::kNoRouteToDestination:
        case CauseDecoder::kNormalClearing:
        case CauseDecoder::kCallRejected:
        case CauseDecoder::kQualityOfServiceUnavailable:
            ElementDecoder::Look(item, b.catalogue, 0x03, label, MC::IF_CA_DG, v & 0x03);
            break;
        case CauseDecoder::kMessageNotCompatible:
            ElementDecoder::Look(item, b.catalogue, 0xFF, label, MC::IF_MESSAGE, v & 0x7F);
            break;
        case CauseDecoder::kTimerExpiry:
            // Every further octet is one more character of the timer number.
            item.CharField(VELK_SJIS("ﾀｲﾏ番号="));
            return;
    }
    b.element.state = kDone;
}

}  // namespace

int CauseDecoder::CauseValueOf(const FrameLayout& frame, int start) {
    const int length = frame.BodyByte(start + 1);
    if (length == FrameLayout::kAbsent) return kNoCauseValue;
    int seen = 0;
    for (int p = start + 2; p <= start + 1 + length; ++p) {
        const int octet = frame.BodyByte(p);
        if (octet == FrameLayout::kAbsent) break;
        if ((octet & 0x80) && ++seen == 2) return octet & 0x7F;
    }
    return kNoCauseValue;
}

void CauseDecoder::Cause(DetailBuild& b, DetailItem& item, const ElementWalk::Place& place) {
    static const FG octet3{
        {0x60, "ｺｰﾃﾞｨﾝｸﾞ標準=", MC::IF_CA_CN, 0x60, FG::kMasked},
        {0x0F, "生成源=", MC::IF_CA_GE, 0x0F, FG::kMasked},
    };
    const uint8_t v = item.Octet();
    uint8_t& state = b.element.state;
    if (place.offset == 2) {
        octet3.Write(item, b.catalogue);
        state = ElementDecoder::Extended(v) ? kOctet3a : kCauseValue;
        return;
    }
    switch (state) {
        case kOctet3a:
            state = kCauseValue;
            return;
        case kCauseValue:
            item.Field(0x7F, VELK_SJIS("理由表示値="))
                .Add(b.catalogue.Lookup(MC::IF_CA_CA, v & 0x7F))
                .Add("(CV=")
                .AddNumber(v & 0x7F)
                .Add(")");
            state = kDiagnostic;
            return;
        case kDiagnostic:
            Diagnostic(b, item, CauseValueOf(b.frame, place.start));
            return;
        default:
            return;
    }
}
