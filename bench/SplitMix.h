#pragma once
// The random numbers of the network generators: splitmix64, small, fast and the same on every
// platform (the standard distributions are not), so that a generator gives the same network
// on every machine.

#include <cstdint>

namespace bench {

class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    // Uniform in [0, n).
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(double p) { return unit() < p; }

private:
    std::uint64_t state_;
};

}  // namespace bench
