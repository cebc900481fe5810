#pragma once
// The captions of the ladder's two lifelines, which the user may name (for
// example "PBX" and "網"): kept in "ladder.ini" of the data folder, two
// lines "TX=..." and "RX=..." in CP932 ended by CR LF. A caption is 1 to
// kMaxLength bytes of CP932 without control characters. A file that is not
// so (a line of another form, a caption missing, given twice or not valid)
// is broken: both captions stay at their defaults, "TX" and "RX".
#include <cstddef>
#include <string>
#include <string_view>

class LadderCaptions {
public:
    static constexpr const char* kFileName = "ladder.ini";
    static constexpr size_t kMaxLength = 32;
    static constexpr size_t kMaxFile = 1024;

    enum LoadResult { kRead, kNoFile, kBroken, kUnreadable };
    enum SaveResult { kSaved, kInvalid, kUnwritable };

    // "ladder.ini" in the running program's data folder.
    static std::string DefaultPath();
    static bool Valid(std::string_view caption);

    // Anything but kRead leaves the defaults.
    LoadResult Load(const std::string& path);
    // Written beside the file and renamed over it: a failure leaves the old
    // file whole. An invalid caption writes nothing.
    SaveResult Save(const std::string& path) const;

    std::string tx = "TX";  // CP932
    std::string rx = "RX";

private:
    bool Parse(std::string_view text);
};
