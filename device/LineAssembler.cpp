#include "device/LineAssembler.h"

#include <algorithm>

void LineAssembler::Append(const uint8_t* bytes, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        if (bytes[i] != 0) pending_.push_back(static_cast<char>(bytes[i]));
    }
}

bool LineAssembler::NextLine(std::string& line) {
    size_t cr = pending_.find('\r');
    if (cr == std::string::npos) return false;
    line.assign(pending_, 0, cr + 1);
    pending_.erase(0, cr + 1);
    line.erase(std::remove(line.begin(), line.end(), '\n'), line.end());
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    return true;
}
