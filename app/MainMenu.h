#pragma once
// The main window's menu bar and tool bar, built from the menu table, and
// the gate every command passes: a command runs, by menu, shortcut or tool
// bar, only while the user-interface state enables it.
#include <QObject>

#include <functional>
#include <vector>

#include "app/UiStates.h"

class MainCommands;
class MonitoringSession;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

class MainMenu : public QObject {
    Q_OBJECT
public:
    // The entries by name, for the window's tests.
    struct Menus {
        QMenu *file = nullptr, *search = nullptr, *view = nullptr, *monitor = nullptr, *analysis = nullptr,
              *help = nullptr;
        QAction *open = nullptr, *save = nullptr, *optionReset = nullptr, *print = nullptr, *exportImage = nullptr,
                *exit = nullptr;
        QAction *find = nullptr, *findNext = nullptr, *batchSearch = nullptr, *numberSearch = nullptr,
                *gotoIndex = nullptr;
        QAction *detail = nullptr, *toolBar = nullptr, *displayOptions = nullptr;
        QAction *monitorStart = nullptr, *monitorStop = nullptr, *info = nullptr, *monitorOptions = nullptr;
        QAction* about = nullptr;
        QAction *callList = nullptr, *channelTimeline = nullptr, *callStatistics = nullptr, *findings = nullptr;
        QAction *tbOpen = nullptr, *tbSave = nullptr, *tbStart = nullptr, *tbStop = nullptr;
    };

    // guard runs a command's handler and deals with whatever it throws.
    using Guard = std::function<void(UiStates::Command, const std::function<void()>&)>;
    MainMenu(QMainWindow& window, MainCommands& commands, const MonitoringSession& session, Guard guard);

    // Whether a command may run now: the state enables it, and ﾓﾆﾀｰ終了
    // only while frames are being taken.
    bool Allows(UiStates::Command command) const;
    // Enables the entries for state; the tool bar follows the menu.
    void SetUiState(int state);
    int UiState() const { return state_; }

    QAction* Action(UiStates::Command command) const { return actions_[command]; }
    // Check marks are set here, never by a click alone.
    void SetChecked(UiStates::Command command, bool checked);
    bool IsChecked(UiStates::Command command) const;
    // No more frames are taken: ﾓﾆﾀｰ終了 off until the state is set again.
    void DisableStop();
    QToolBar* ToolBar() { return toolBar_; }
    const Menus& Names() const { return names_; }

private:
    void BuildMenus(QMainWindow& window);
    void BuildToolBar(QMainWindow& window);
    void MirrorToolBar();
    void Run(UiStates::Command command, void (*run)(MainCommands&));

    MainCommands& commands_;
    const MonitoringSession& session_;
    Guard guard_;
    int state_ = UiStates::kNoDevice;
    QAction* actions_[UiStates::kCommands] = {};
    std::vector<std::pair<QAction*, UiStates::Command>> toolButtons_;
    QToolBar* toolBar_ = nullptr;
    Menus names_;
};
