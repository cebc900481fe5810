#include "app/MainWindowState.h"

#include <QMainWindow>
#include <QToolBar>

#include "app/MainMenu.h"
#include "options/OptionData.h"
#include "ui/TDrawGrid.h"

void MainWindowState::Apply(const OptionData& options, QMainWindow& window, MainMenu& menu, TDrawGrid& grid) {
    WindowState state;
    options.GetWindowState(state);
    menu.SetChecked(UiStates::kToolBar, state.toolBarShown != 0);
    menu.ToolBar()->setVisible(state.toolBarShown != 0);
    window.resize(state.width, state.height);
    window.move(state.left, state.top);
    grid.SetColWidth(0, state.firstColumnWidth);
    grid.SetColWidth(1, state.secondColumnWidth);
}

void MainWindowState::Store(OptionData& options, const QMainWindow& window, const MainMenu& menu,
                            const TDrawGrid& grid) {
    WindowState state;
    options.GetWindowState(state);
    state.toolBarShown = menu.IsChecked(UiStates::kToolBar) ? 1 : 0;
    state.width = window.width();
    state.height = window.height();
    state.top = window.pos().y();
    state.left = window.pos().x();
    state.firstColumnWidth = grid.ColWidth(0);
    state.secondColumnWidth = grid.ColWidth(1);
    options.SetWindowState(state);
}
