#include "checks/FindingTexts.h"

#include "base/Cp932.h"

const std::string& FindingTexts::Cp932Of(std::string_view utf8) {
    std::string key(utf8);
    const auto found = texts_.find(key);
    if (found != texts_.end()) return found->second;
    if (texts_.size() >= kMaxTexts) texts_.clear();
    return texts_.emplace(std::move(key), Cp932::FromUtf8(utf8)).first->second;
}
