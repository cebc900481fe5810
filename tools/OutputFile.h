#pragma once
// Where a velkdump conversion writes its whole result: standard output, or
// a file replaced only once all of it was written, so a failure never
// leaves half a file where the old one stood.
#include <string>
#include <string_view>

class OutputFile {
public:
    // 0 when written; 2 with a message on standard error.
    static int WriteWhole(const std::string& path, std::string_view text);
};
