#include "checks/CheckKind.h"

#include <array>

#include "base/Cp932.h"

namespace {

struct Row {
    const char* code;
    const char* name;  // UTF-8 here, CP932 when handed out
};

// In the order of Check.
constexpr Row kRows[kCheckCount] = {
    {"STATE", "呼状態"},
    {"RELCOMP", "解放手順"},
    {"T303", "タイマT303"},
    {"T310", "タイマT310"},
    {"T305", "タイマT305"},
    {"T308", "タイマT308"},
    {"T313", "タイマT313"},
    {"IE-MISSING", "必須情報要素"},
    {"IE-ORDER", "情報要素の順序"},
    {"STATUS", "STATUSの理由表示"},
    {"STATUS-STATE", "STATUSの呼状態"},
    {"CHANNEL", "チャネル使用不可"},
    {"COLLISION", "チャネル衝突"},
    {"L2-SABME", "リンク設定"},
    {"L2-RESET", "リンク再設定"},
    {"L2-DISC", "リンク解放"},
    {"L2-DM", "DM応答"},
    {"L2-UA", "要求のないUA"},
    {"L2-FRMR", "フレームリジェクト"},
    {"L2-REJ", "REJ"},
    {"L2-RNR", "RNR"},
    {"T200", "再送(T200)"},
    {"N200", "再送超過(N200)"},
    {"T203", "無通信(T203)"},
    {"FCS", "FCS異常"},
    {"TEI", "TEI管理"},
};

size_t At(Check check) {
    const auto n = static_cast<size_t>(check);
    return n < kCheckCount ? n : 0;
}

}  // namespace

const std::string& CheckKind::Code(Check check) {
    static const auto codes = [] {
        std::array<std::string, kCheckCount> out;
        for (int i = 0; i < kCheckCount; ++i) out[i] = kRows[i].code;
        return out;
    }();
    return codes[At(check)];
}

const std::string& CheckKind::Name(Check check) {
    static const auto names = [] {
        std::array<std::string, kCheckCount> out;
        for (int i = 0; i < kCheckCount; ++i) out[i] = Cp932::FromUtf8(kRows[i].name);
        return out;
    }();
    return names[At(check)];
}

const std::string& CheckKind::SeverityName(Severity severity) {
    static const std::string kNames[kSeverityCount] = {
        Cp932::FromUtf8("エラー"), Cp932::FromUtf8("警告"), Cp932::FromUtf8("情報")};
    const auto n = static_cast<size_t>(severity);
    return kNames[n < kSeverityCount ? n : 0];
}
