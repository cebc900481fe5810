#pragma once
// The timer values the checks hold the frames to, which the user may change
// in "checks.ini" of the data folder: lines "NAME=value" in ASCII ended by
// CR LF (LF alone is read too), NAME one of T303, T310, T305, T308, T313,
// T200, T203 (milliseconds, 1 to 3600000) and N200 (a count, 1 to 100),
// the value in decimal digits alone. A name left out keeps its default;
// empty lines are passed over. A file that is not so (a line of another
// form, an unknown name, a name given twice, a value out of range or not a
// number, more than kMaxFile bytes) is broken: every value stays at its
// default.
#include <cstddef>
#include <string>
#include <string_view>

class CheckSettings {
public:
    static constexpr const char* kFileName = "checks.ini";
    static constexpr size_t kMaxFile = 4096;

    enum LoadResult { kRead, kNoFile, kBroken, kUnreadable };
    enum SaveResult { kSaved, kInvalid, kUnwritable };

    // "checks.ini" in the running program's data folder.
    static std::string DefaultPath();

    // Anything but kRead leaves the defaults.
    LoadResult Load(const std::string& path);
    // Every value, in the order above; written beside the file and renamed
    // over it, so a failure leaves the old file whole. A value out of range
    // writes nothing (kInvalid).
    SaveResult Save(const std::string& path) const;
    bool Valid() const;

    // ITU-T Q.931 and Q.921 defaults, in ms.
    int t303 = 4000;
    int t310 = 10000;
    int t305 = 30000;
    int t308 = 4000;
    int t313 = 4000;
    int t200 = 1000;
    int t203 = 10000;
    int n200 = 3;

private:
    bool Parse(std::string_view text);
};
