// Any bytes as velk.opt: loads without harm, and a save writes exactly the
// signature, version and block.
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

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
    OptionData::ApplySearchColumns(d);
    options.SetDisplayOptions(d);
    struct stat st;
    if (!options.Save() || stat(path.c_str(), &st) != 0 || st.st_size != 32 + 768) abort();
    return 0;
}
