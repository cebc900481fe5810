#pragma once
// A window's table saved as CSV where the user names it: nothing to save
// is said as for the frames, the save dialog proposes the name the display
// options give, the text is made once the dialog closed (what the window
// shows may have moved meanwhile), and the file is replaced whole, an
// overwritten file left as it was when the write fails, which is said.
#include <cstddef>
#include <functional>
#include <string>

class DialogHost;
class ProgramModel;
class QWidget;

class CsvSave {
public:
    // count: the rows there are to save. True when the file was written.
    static bool Run(QWidget& owner, DialogHost& dialogs, ProgramModel& program, size_t count,
                    const std::function<std::string()>& text);
};
