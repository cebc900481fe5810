#include "app/UiStates.h"

namespace {

struct Row {
    UiStates::Command menu;  // kCommands for the menu rows and the ﾌｧｲﾙ and 解析 entries
    bool enabled[UiStates::kStates];
};

// Indexed by command; the columns are states 0, 1, 2 and 3.
constexpr Row kTable[UiStates::kCommands] = {
    {UiStates::kCommands, {1, 1, 0, 0}},       // 検索 menu
    {UiStates::kCommands, {1, 1, 0, 0}},       // 表示 menu
    {UiStates::kCommands, {1, 1, 1, 0}},       // ﾓﾆﾀｰ menu
    {UiStates::kCommands, {1, 1, 1, 0}},       // ﾍﾙﾌﾟ menu
    {UiStates::kCommands, {1, 1, 0, 0}},       // 開く
    {UiStates::kCommands, {1, 1, 0, 1}},       // 保存
    {UiStates::kCommands, {1, 1, 0, 0}},       // ｵﾌﾟｼｮﾝﾌｧｲﾙ初期化
    {UiStates::kCommands, {1, 1, 0, 0}},       // 印刷
    {UiStates::kCommands, {1, 1, 0, 0}},       // 表示ｲﾒｰｼﾞ保存
    {UiStates::kCommands, {1, 1, 1, 1}},       // 終了
    {UiStates::kSearchMenu, {1, 1, 1, 1}},     // 検索
    {UiStates::kSearchMenu, {1, 1, 1, 1}},     // 次を検索
    {UiStates::kSearchMenu, {1, 1, 1, 1}},     // まとめて検索
    {UiStates::kSearchMenu, {1, 1, 1, 1}},     // 番号による検索
    {UiStates::kSearchMenu, {1, 1, 1, 1}},     // 指定のINDEXへ移動
    {UiStates::kViewMenu, {1, 1, 1, 1}},       // 詳細ｳｨﾝﾄﾞｳ
    {UiStates::kViewMenu, {1, 1, 1, 1}},       // ﾂｰﾙﾊﾞｰ
    {UiStates::kViewMenu, {1, 1, 1, 1}},       // 表示 ｵﾌﾟｼｮﾝ
    {UiStates::kMonitorMenu, {1, 1, 0, 0}},    // ﾓﾆﾀｰ開始
    {UiStates::kMonitorMenu, {0, 0, 1, 0}},    // ﾓﾆﾀｰ終了
    {UiStates::kMonitorMenu, {1, 1, 1, 0}},    // 情報
    {UiStates::kMonitorMenu, {1, 1, 0, 0}},    // ﾓﾆﾀｰ ｵﾌﾟｼｮﾝ
    {UiStates::kHelpMenu, {1, 1, 1, 1}},       // ﾊﾞｰｼﾞｮﾝ情報
    {UiStates::kCommands, {1, 1, 1, 1}},       // 呼一覧
    {UiStates::kCommands, {1, 1, 1, 1}},       // チャネル使用状況
    {UiStates::kCommands, {1, 1, 1, 1}},       // 統計
    {UiStates::kCommands, {1, 1, 1, 1}},       // 診断
};

bool Valid(int state, UiStates::Command command) {
    return state >= 0 && state < UiStates::kStates && command >= 0 && command < UiStates::kCommands;
}

}  // namespace

bool UiStates::EntryEnabled(int state, Command command) {
    return Valid(state, command) && kTable[command].enabled[state];
}

bool UiStates::Enables(int state, Command command) {
    if (!EntryEnabled(state, command)) return false;
    const Command menu = kTable[command].menu;
    return menu == kCommands || EntryEnabled(state, menu);
}
