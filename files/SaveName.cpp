#include "files/SaveName.h"

std::string SaveName::Proposed(bool unique, std::time_t now) {
    if (!unique) return {};
    std::tm local{};
    if (!::localtime_r(&now, &local)) return {};
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d%H%M%S", &local);
    return text;
}
