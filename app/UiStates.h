#pragma once
// The user-interface states and the commands each of them enables. The
// menus and the toolbar are set from this table, and every command handler
// asks it before running: a shortcut can reach an entry of a disabled
// top-level menu.
class UiStates {
public:
    enum State { kNoDevice = 0, kConnected = 1, kMonitoring = 2, kSystemFaulted = 3 };
    static constexpr int kStates = 4;

    enum Command {
        // Top-level menus (ﾌｧｲﾙ is never disabled).
        kSearchMenu, kViewMenu, kMonitorMenu, kHelpMenu,
        // ﾌｧｲﾙ
        kOpen, kSave, kOptionReset, kPrint, kExportImage, kExit,
        // 検索
        kFind, kFindNext, kBatchSearch, kNumberSearch, kGotoIndex,
        // 表示
        kDetail, kToolBar, kDisplayOptions,
        // ﾓﾆﾀｰ
        kMonitorStart, kMonitorStop, kInfo, kMonitorOptions,
        // ﾍﾙﾌﾟ
        kAbout,
        // 解析 (never disabled, as its menu)
        kCallList, kChannelTimeline, kCallStatistics, kFindings,
        kCommands
    };

    // Whether the menu entry (or the top-level menu) itself is enabled.
    static bool EntryEnabled(int state, Command command);
    // Whether the command may run: its entry and its menu are enabled.
    static bool Enables(int state, Command command);
    // States 0 and 3 take the lamp panel away (and the check mark of 情報)
    // and empty status panel 0.
    static bool HidesLampPanel(int state) { return state == kNoDevice || state == kSystemFaulted; }
    // The monitor options dialog's port tab and device clock tab.
    static bool ShowsPortTab(int state) { return state == kNoDevice; }
    static bool ShowsClockTab(int state) { return state == kConnected || state == kMonitoring; }
};
