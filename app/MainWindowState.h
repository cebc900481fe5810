#pragma once
// The main window's place, size, tool bar and column widths, kept in the
// options' window state between runs.
class MainMenu;
class OptionData;
class QMainWindow;
class TDrawGrid;

class MainWindowState {
public:
    static void Apply(const OptionData& options, QMainWindow& window, MainMenu& menu, TDrawGrid& grid);
    static void Store(OptionData& options, const QMainWindow& window, const MainMenu& menu, const TDrawGrid& grid);
};
