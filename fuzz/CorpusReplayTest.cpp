// Every kept input of the fuzz corpora through its target's entry point,
// under the sanitizers of the test build: what the fuzzers once found stays
// tried on every run. A target aborts on an input that breaks its checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#define X(name) extern "C" int name##Entry(const uint8_t* data, size_t size);
#include "FuzzTargets.inc"
#undef X

// Every kept input of one target's folder through its entry point.
static void Replay(const char* name, int (*entry)(const uint8_t*, size_t)) {
    int inputs = 0;
    for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(VELK_FUZZ_CORPUS) / name)) {
        std::ifstream in(file.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(entry(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0) << file.path();
        ++inputs;
    }
    EXPECT_GT(inputs, 0) << name;
}

TEST(FuzzCorpus, EveryKeptInputPassesItsTarget) {
#define X(name) Replay(#name, name##Entry);
#include "FuzzTargets.inc"
#undef X
}
