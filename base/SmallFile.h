#pragma once
// A small settings file read whole and replaced whole: a read that refuses a
// file past its bound, and a write beside the file renamed over it, so that
// a failure leaves the old file as it was.
#include <cstddef>
#include <string>
#include <string_view>

class SmallFile {
public:
    enum ReadResult { kRead, kNoFile, kUnreadable, kTooLarge };

    // The whole file into text when it holds at most maxSize bytes.
    static ReadResult Read(const std::string& path, size_t maxSize, std::string& text);
    // text in a new file beside path (mode 0644, synced), renamed over path.
    static bool Replace(const std::string& path, std::string_view text);

    // A settings file read into settings by parse(text) (false: broken).
    // Result names kRead, kNoFile, kBroken and kUnreadable; a file too
    // large is broken. Anything but kRead leaves settings at their defaults.
    template <typename Result, typename Settings, typename Parse>
    static Result LoadSettings(const std::string& path, size_t maxSize, Settings& settings, Parse parse) {
        settings = Settings();
        std::string text;
        switch (Read(path, maxSize, text)) {
            case kNoFile: return Result::kNoFile;
            case kUnreadable: return Result::kUnreadable;
            case kTooLarge: return Result::kBroken;
            case kRead: break;
        }
        if (parse(text)) return Result::kRead;
        settings = Settings();
        return Result::kBroken;
    }
};
