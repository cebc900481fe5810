#include "store/FreeSpace.h"

#include <sys/statvfs.h>

int64_t FreeSpace::Bytes(const std::string& folder) {
    struct statvfs st {};
    if (folder.empty() || statvfs(folder.c_str(), &st) != 0) return -1;
    return static_cast<int64_t>(st.f_bavail) * static_cast<int64_t>(st.f_frsize);
}
