#include "app/MenuTable.h"

#include <QKeySequence>
#include <QStyle>

#include "app/MainCommands.h"
#include "calls/CallListCommand.h"
#include "calls/CallStatisticsCommand.h"
#include "calls/ChannelTimelineCommand.h"
#include "checks/FindingsCommand.h"
#include "detail/DetailCommand.h"
#include "files/DisplayImageCommand.h"
#include "files/TraceFileCommands.h"
#include "options/OptionCommands.h"
#include "print/PrintCommand.h"
#include "search/SearchCommands.h"

namespace {

using C = MainCommands;
using R = MenuRow;
using U = UiStates;

}  // namespace

const std::vector<TopMenuRow>& MenuTable::TopMenus() {
    static const std::vector<TopMenuRow> menus = {
        {"ﾌｧｲﾙ(&F)", U::kCommands},   {"検索(&S)", U::kSearchMenu}, {"表示(&V)", U::kViewMenu},
        {"ﾓﾆﾀｰ(&M)", U::kMonitorMenu}, {"解析(&A)", U::kCommands},   {"ﾍﾙﾌﾟ(&H)", U::kHelpMenu},
    };
    return menus;
}

const std::vector<MenuRow>& MenuTable::Rows() {
    static const std::vector<MenuRow> rows = {
        {R::kFile, "開く(&O)", U::kOpen, 0, R::kNone, [](C& c) { c.Get<TraceFileCommands>().FileOpenMenuClick(); }},
        {R::kFile, "保存(&S)", U::kSave, 0, R::kNone, [](C& c) { c.Get<TraceFileCommands>().FileSaveMenuClick(); }},
        {R::kFile, "ｵﾌﾟｼｮﾝﾌｧｲﾙ初期化(&C)", U::kOptionReset, 0, R::kSeparatorBefore,
         [](C& c) { c.Get<OptionCommands>().OptionResetMenuClick(); }},
        {R::kFile, "印刷(&P)", U::kPrint, 0, R::kSeparatorBefore, [](C& c) { c.Get<PrintCommand>().PrintMenuClick(); }},
        {R::kFile, "表示ｲﾒｰｼﾞ保存(&I)", U::kExportImage, 0, R::kNone,
         [](C& c) { c.Get<DisplayImageCommand>().ExportDisplayImage(); }},
        {R::kFile, "終了(&X)", U::kExit, 0, R::kSeparatorBefore, [](C& c) { c.Actions().Exit(); }},

        {R::kSearch, "検索(&F)", U::kFind, Qt::CTRL | Qt::Key_F, R::kNone,
         [](C& c) { c.Get<SearchCommands>().FindMenuClick(); }},
        {R::kSearch, "次を検索(&S)", U::kFindNext, Qt::Key_F3, R::kNone,
         [](C& c) { c.Get<SearchCommands>().FindNextMenuClick(); }},
        {R::kSearch, "まとめて検索(&E)", U::kBatchSearch, Qt::CTRL | Qt::Key_E, R::kSeparatorBefore,
         [](C& c) { c.Get<SearchCommands>().BatchSearchMenuClick(); }},
        {R::kSearch, "番号による検索(&N)", U::kNumberSearch, Qt::CTRL | Qt::Key_N, R::kNone,
         [](C& c) { c.Get<SearchCommands>().NumberSearchMenuClick(); }},
        {R::kSearch, "指定のINDEXへ移動(&G)", U::kGotoIndex, Qt::Key_F5, R::kSeparatorBefore,
         [](C& c) { c.Get<SearchCommands>().GotoIndexMenuClick(); }},

        {R::kView, "詳細ｳｨﾝﾄﾞｳ(&D)", U::kDetail, 0, R::kNone, [](C& c) { c.Get<DetailCommand>().Run(); }},
        {R::kView, "ﾂｰﾙﾊﾞｰ(&B)", U::kToolBar, 0, R::kSeparatorBefore | R::kCheckable,
         [](C& c) { c.Actions().ToggleToolBar(); }},
        {R::kView, "ｵﾌﾟｼｮﾝ(&O)", U::kDisplayOptions, 0, R::kSeparatorBefore,
         [](C& c) { c.Get<OptionCommands>().DisplayOptionsMenuClick(); }},

        {R::kMonitor, "ﾓﾆﾀｰ開始(&S)", U::kMonitorStart, 0, R::kNone, [](C& c) { c.Actions().StartMonitoring(); }},
        {R::kMonitor, "ﾓﾆﾀｰ終了(&E)", U::kMonitorStop, 0, R::kNone, [](C& c) { c.Actions().StopMonitoring(); }},
        {R::kMonitor, "情報(&I)", U::kInfo, 0, R::kSeparatorBefore | R::kCheckable,
         [](C& c) { c.Actions().ToggleLampPanel(); }},
        {R::kMonitor, "ｵﾌﾟｼｮﾝ(&O)", U::kMonitorOptions, 0, R::kSeparatorBefore,
         [](C& c) { c.Get<OptionCommands>().MonitorOptionsMenuClick(); }},

        {R::kAnalysis, "呼一覧(&L)", U::kCallList, Qt::CTRL | Qt::Key_L, R::kNone,
         [](C& c) { c.Get<CallListCommand>().CallListMenuClick(); }},
        {R::kAnalysis, "チャネル使用状況(&T)", U::kChannelTimeline, Qt::CTRL | Qt::Key_T, R::kNone,
         [](C& c) { c.Get<ChannelTimelineCommand>().ChannelTimelineMenuClick(c.Get<CallListCommand>()); }},
        {R::kAnalysis, "統計(&S)", U::kCallStatistics, 0, R::kNone,
         [](C& c) { c.Get<CallStatisticsCommand>().CallStatisticsMenuClick(); }},
        {R::kAnalysis, "診断(&D)", U::kFindings, 0, R::kNone, [](C& c) { c.Get<FindingsCommand>().FindingsMenuClick(); }},

        {R::kHelp, "ﾊﾞｰｼﾞｮﾝ情報(&A)", U::kAbout, 0, R::kNone, [](C& c) { c.Actions().AboutMenuClick(); }},
    };
    return rows;
}

const std::vector<ToolButtonRow>& MenuTable::ToolButtons() {
    static const std::vector<ToolButtonRow> buttons = {
        {QStyle::SP_DialogOpenButton, "ﾌｧｲﾙ開く", U::kOpen, false},
        {QStyle::SP_DialogSaveButton, "ﾌｧｲﾙ保存", U::kSave, false},
        {QStyle::SP_MediaPlay, "ﾓﾆﾀｰ開始", U::kMonitorStart, true},
        {QStyle::SP_MediaStop, "ﾓﾆﾀｰ終了", U::kMonitorStop, false},
    };
    return buttons;
}

std::string MenuTable::Name(UiStates::Command command) {
    for (const MenuRow& row : Rows())
        if (row.command == command) {
            const std::string caption = row.caption;
            return caption.substr(0, caption.rfind("(&"));
        }
    return {};
}
