// The composer's dice: a small generator whose numbers depend on the seed
// alone, on every machine and with every compiler (the standard library's
// distributions do not promise that).
#pragma once

#include <cstdint>
#include <vector>

namespace varnokit::compose {

class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}

    // splitmix64
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in 0 … bound - 1 (bound >= 1), without modulo bias.
    uint64_t below(uint64_t bound) {
        const uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
        uint64_t x;
        do x = next();
        while (x >= limit);
        return x % bound;
    }
    // Uniform in lo … hi.
    int64_t between(int64_t lo, int64_t hi) {
        return lo + static_cast<int64_t>(below(static_cast<uint64_t>(hi - lo) + 1));
    }
    template <typename T>
    void shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i) {
            const std::size_t j = static_cast<std::size_t>(below(i));
            std::swap(items[i - 1], items[j]);
        }
    }

private:
    uint64_t state_;
};

}  // namespace varnokit::compose
