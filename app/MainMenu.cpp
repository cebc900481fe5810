#include "app/MainMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "app/MainCommands.h"
#include "app/MenuTable.h"
#include "app/MonitoringSession.h"
#include "ui/QtText.h"

namespace {

// Where each entry shows in Menus, by command.
struct Name {
    UiStates::Command command;
    QAction* MainMenu::Menus::*field;
};
using M = MainMenu::Menus;
const Name kNames[] = {
    {UiStates::kOpen, &M::open},           {UiStates::kSave, &M::save},
    {UiStates::kOptionReset, &M::optionReset}, {UiStates::kPrint, &M::print},
    {UiStates::kExportImage, &M::exportImage}, {UiStates::kExit, &M::exit},
    {UiStates::kFind, &M::find},           {UiStates::kFindNext, &M::findNext},
    {UiStates::kBatchSearch, &M::batchSearch}, {UiStates::kNumberSearch, &M::numberSearch},
    {UiStates::kGotoIndex, &M::gotoIndex}, {UiStates::kDetail, &M::detail},
    {UiStates::kToolBar, &M::toolBar},     {UiStates::kDisplayOptions, &M::displayOptions},
    {UiStates::kMonitorStart, &M::monitorStart}, {UiStates::kMonitorStop, &M::monitorStop},
    {UiStates::kInfo, &M::info},           {UiStates::kMonitorOptions, &M::monitorOptions},
    {UiStates::kAbout, &M::about},           {UiStates::kCallList, &M::callList},
    {UiStates::kChannelTimeline, &M::channelTimeline}, {UiStates::kCallStatistics, &M::callStatistics},
    {UiStates::kFindings, &M::findings},
};
QMenu* M::*const kMenuNames[MenuRow::kMenus] = {&M::file, &M::search, &M::view, &M::monitor, &M::analysis,
                                                &M::help};
QAction* M::*const kButtonNames[] = {&M::tbOpen, &M::tbSave, &M::tbStart, &M::tbStop};

}  // namespace

MainMenu::MainMenu(QMainWindow& window, MainCommands& commands, const MonitoringSession& session, Guard guard)
    : QObject(&window), commands_(commands), session_(session), guard_(std::move(guard)) {
    BuildMenus(window);
    BuildToolBar(window);
}

void MainMenu::BuildMenus(QMainWindow& window) {
    QMenu* menus[MenuRow::kMenus] = {};
    for (size_t i = 0; i < MenuTable::TopMenus().size(); ++i) {
        const TopMenuRow& top = MenuTable::TopMenus()[i];
        menus[i] = window.menuBar()->addMenu(QtText::Literal(top.caption));
        names_.*kMenuNames[i] = menus[i];
        if (top.command != UiStates::kCommands) actions_[top.command] = menus[i]->menuAction();
    }
    for (const MenuRow& row : MenuTable::Rows()) {
        QMenu* menu = menus[row.menu];
        if (row.flags & MenuRow::kSeparatorBefore) menu->addSeparator();
        QAction* action = menu->addAction(QtText::Literal(row.caption));
        if (row.shortcut != 0) action->setShortcut(QKeySequence(row.shortcut));
        action->setCheckable((row.flags & MenuRow::kCheckable) != 0);
        actions_[row.command] = action;
        const UiStates::Command command = row.command;
        const auto run = row.run;
        connect(action, &QAction::triggered, this, [this, action, command, run] {
            // A click alone does not move a check mark; the handler sets it.
            if (action->isCheckable()) action->setChecked(!action->isChecked());
            if (Allows(command)) guard_(command, [this, run] { run(commands_); });
        });
    }
    for (const Name& name : kNames) names_.*name.field = actions_[name.command];
}

void MainMenu::BuildToolBar(QMainWindow& window) {
    toolBar_ = window.addToolBar(QStringLiteral("ToolBar1"));
    toolBar_->setMovable(false);
    toolBar_->toggleViewAction()->setVisible(false);
    window.setContextMenuPolicy(Qt::NoContextMenu);
    size_t i = 0;
    for (const ToolButtonRow& row : MenuTable::ToolButtons()) {
        if (row.separatorBefore) toolBar_->addSeparator();
        QAction* button = toolBar_->addAction(window.style()->standardIcon(QStyle::StandardPixmap(row.icon)),
                                              QtText::Literal(row.hint));
        button->setToolTip(button->text());
        button->setEnabled(false);
        connect(button, &QAction::triggered, actions_[row.command], &QAction::trigger);
        toolButtons_.emplace_back(button, row.command);
        names_.*kButtonNames[i++] = button;
    }
}

bool MainMenu::Allows(UiStates::Command command) const {
    if (!UiStates::Enables(state_, command)) return false;
    return command != UiStates::kMonitorStop || session_.IsRunning();
}

void MainMenu::SetUiState(int state) {
    state_ = state;
    for (int c = 0; c < UiStates::kCommands; ++c)
        if (actions_[c]) actions_[c]->setEnabled(UiStates::EntryEnabled(state, UiStates::Command(c)));
    MirrorToolBar();
}

void MainMenu::DisableStop() {
    actions_[UiStates::kMonitorStop]->setEnabled(false);
}

void MainMenu::MirrorToolBar() {
    for (const auto& [button, command] : toolButtons_) button->setEnabled(actions_[command]->isEnabled());
}

void MainMenu::SetChecked(UiStates::Command command, bool checked) { actions_[command]->setChecked(checked); }

bool MainMenu::IsChecked(UiStates::Command command) const { return actions_[command]->isChecked(); }
