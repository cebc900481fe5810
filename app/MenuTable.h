#pragma once
// The main window's menus and tool bar as rows: caption, the command the
// state table knows the entry by, shortcut, and what it runs. A command
// added to the program adds its row here and nothing to the main window.
#include <string>
#include <vector>

#include "app/UiStates.h"

class MainCommands;

struct MenuRow {
    enum Menu { kFile, kSearch, kView, kMonitor, kAnalysis, kHelp, kMenus };
    enum Flags : unsigned { kNone = 0, kSeparatorBefore = 1, kCheckable = 2 };

    Menu menu;
    const char* caption;  // UTF-8
    UiStates::Command command;
    int shortcut;  // a Qt key combination, 0 for none
    unsigned flags;
    void (*run)(MainCommands& commands);
};

struct TopMenuRow {
    const char* caption;  // UTF-8
    UiStates::Command command;  // kCommands: never disabled
};

// A tool bar button mirrors a menu entry.
struct ToolButtonRow {
    int icon;  // a QStyle::StandardPixmap
    const char* hint;  // UTF-8
    UiStates::Command command;
    bool separatorBefore;
};

class MenuTable {
public:
    static const std::vector<TopMenuRow>& TopMenus();
    static const std::vector<MenuRow>& Rows();
    static const std::vector<ToolButtonRow>& ToolButtons();
    // The entry's caption without its access key ("まとめて検索"), UTF-8.
    static std::string Name(UiStates::Command command);
};
