// Any bytes as velk.opt: loads without harm, goes through both option
// dialogs' editors (a stored column list never outgrows its slots and loads
// back the same), and a save writes exactly the signature, version and block.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "options/DisplayOptionsEditor.h"
#include "options/MonitorOptionsEditor.h"
#include "options/OptionData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        char dir[] = "/tmp/velkoptfuzzXXXXXX";
        if (!mkdtemp(dir)) abort();
        return std::string(dir) + "/velk.opt";
    }();
    if (!std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size)) abort();
    OptionData options(path, OptionData::kReadOnly);
    DisplayOptions d;
    options.GetDisplayOptions(d);
    DisplayOptionsEditor display;
    display.Load(d);
    DisplayOptions stored = d, again = d;
    display.Store(stored);
    display.Load(stored);
    display.Store(again);
    if (again.columnOrder != stored.columnOrder) abort();
    MonitorOptions m;
    options.GetMonitorOptions(m);
    MonitorOptionsEditor monitor;
    monitor.Load(m);
    monitor.Store(m);
    OptionData::ApplySearchColumns(d);
    options.SetDisplayOptions(d);
    struct stat st;
    if (!options.Save() || stat(path.c_str(), &st) != 0 || st.st_size != 32 + 768) abort();
    return 0;
}
