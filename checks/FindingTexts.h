#pragma once
// The CP932 texts of findings, converted from the checks' UTF-8 once each:
// most findings repeat a few texts (every frame whose FCS fails says the
// same), and converting each anew cost more than the checks themselves.
// Holds at most a bound of texts, starting over when full.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

class FindingTexts {
public:
    static constexpr size_t kMaxTexts = 4096;

    const std::string& Cp932Of(std::string_view utf8);

private:
    std::unordered_map<std::string, std::string> texts_;
};
