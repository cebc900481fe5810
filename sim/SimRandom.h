#pragma once
// The simulator's own pseudo-random numbers (splitmix64): the same seed gives
// the same numbers with every compiler and standard library.
#include <cstdint>

class SimRandom {
public:
    explicit SimRandom(uint64_t seed) : state_(seed) {}

    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n-1; n must be above 0.
    uint32_t Below(uint32_t n) { return static_cast<uint32_t>(Next() % n); }
    // lo .. hi inclusive.
    int Between(int lo, int hi) { return lo + static_cast<int>(Below(static_cast<uint32_t>(hi - lo + 1))); }
    // True with probability 1/n.
    bool OneIn(uint32_t n) { return Below(n) == 0; }

private:
    uint64_t state_;
};
