#include "tools/StderrHost.h"

#include <cstdio>

#include "base/Cp932.h"

void StderrHost::ShowMessage(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "velkdump: %s: %s\n", Cp932::ToUtf8(caption).c_str(),
                 Cp932::ToUtf8(text).c_str());
}
