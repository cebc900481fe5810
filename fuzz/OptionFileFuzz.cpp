// Any bytes as velk.opt: loads without harm, and a save writes exactly the
// signature, version and block.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "options/OptionData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        char dir[] = "/tmp/velkoptfuzzXXXXXX";
        if (!mkdtemp(dir)) abort();
        return std::string(dir) + "/velk.opt";
    }();
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) abort();
    if (size > 0 && write(fd, data, size) != ssize_t(size)) abort();
    close(fd);
    OptionData options(path, OptionData::kReadOnly);
    DisplayOptions d;
    options.GetDisplayOptions(d);
    OptionData::ApplySearchColumns(d);
    options.SetDisplayOptions(d);
    if (!options.Save()) abort();
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || st.st_size != 32 + 768) abort();
    return 0;
}
