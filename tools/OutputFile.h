#pragma once
// Where a velkdump run writes: standard output, or a file replaced only
// once all of it was written, so a failure never leaves half a file where
// the old one stood. Failures get their message on standard error; a
// reader of standard output that went away (`| head`) ends the run quietly.
#include <memory>
#include <string>

#include "files/FdWriter.h"
#include "files/ReplacingFile.h"

class OutputFile {
public:
    // path empty = standard output. With devicesInPlace, a path that names
    // something other than a regular file (a device) is opened and written
    // in place.
    explicit OutputFile(std::string path, bool devicesInPlace = false);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // False after the message when it cannot be created.
    bool Open();
    FdWriter& Writer() { return *writer_; }
    const std::string& Name() const { return name_; }

    // Flushes and closes a file, which waits for Commit; false after the message.
    bool Close();
    // Writes what is left and puts the file in place; the exit status: 0,
    // or 2 after the message (WriteFailed).
    int Commit();
    // The exit status of a run whose writing failed: 2 after the message,
    // 0 without one when standard output's reader went away.
    int WriteFailed(int error);

private:
    std::string path_, name_;
    bool devicesInPlace_;
    int deviceFd_ = -1;
    std::unique_ptr<ReplacingFile> file_;
    std::unique_ptr<FdWriter> writer_;
};
