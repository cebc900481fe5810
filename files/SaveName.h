#pragma once
// The file name a save dialog proposes: with "unique file name on save" on,
// the local date and time as "yyyymmddhhnnss"; otherwise none.
#include <ctime>
#include <string>

class SaveName {
public:
    static std::string Proposed(bool unique, std::time_t now);
    static std::string Proposed(bool unique) { return Proposed(unique, std::time(nullptr)); }
};
