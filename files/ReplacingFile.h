#pragma once
// A file written under a temporary name beside its target and renamed over
// it only when everything was written, so a failure or a cancel never
// destroys the file the user chose to overwrite.
#include <string>
#include <string_view>
#include <utility>

class ReplacingFile {
public:
    explicit ReplacingFile(std::string target) : target_(std::move(target)) {}
    ~ReplacingFile() { Abandon(); }
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Creates the temporary file; false when the target could not be
    // created or replaced (a folder we may not write, a read-only file, a
    // target that is not a regular file).
    bool Open();
    int Fd() const { return fd_; }
    // Flushes and closes the temporary file, which stays until Commit or
    // Abandon (so many can wait without holding a descriptor each); false
    // (and the file abandoned) when that failed.
    bool Close();
    // Flushes, closes (unless Close did) and renames over the target; false (and the target
    // untouched) when any of it failed.
    bool Commit();
    // Closes and removes the temporary file; the target stays as it was.
    void Abandon();

    // The whole of bytes as the target's new contents, or the target as it was.
    static bool Write(const std::string& target, std::string_view bytes);

private:
    std::string target_;
    std::string temp_;
    int fd_ = -1;
};
