#pragma once
// The 表示 menu's 詳細ｳｨﾝﾄﾞｳ command, also reached by a double click or the
// Enter key in the frame list: the detail window for the selected row. The
// main window runs it only while the user-interface state enables it.
#include <cstddef>
#include <functional>

class MainWindowServices;

class DetailCommand {
public:
    explicit DetailCommand(MainWindowServices& window) : window_(window) {}

    // Nothing for an empty store or the header row; a record that fails
    // the frame check gets the "誤操作" warning instead of a window. Any
    // other gets its detail window, shown modally and gone once closed.
    void Run();

    // When set, called with the store position instead of opening the
    // detail window (the main window's test watches the command this way).
    std::function<void(size_t)> onOpenDetail;

private:
    MainWindowServices& window_;
};
