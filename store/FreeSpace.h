#pragma once
// Free bytes for an ordinary user on the file system of a folder.
#include <cstdint>
#include <string>

class FreeSpace {
public:
    // f_bavail x f_frsize of statvfs; -1 when it cannot be read.
    static int64_t Bytes(const std::string& folder);
};
