#pragma once

#include <cstdint>

// A tiny deterministic generator. The catalogue is rebuilt on every machine
// and must come out byte-identical, which the standard library's
// distributions do not promise across implementations; this one uses integer
// arithmetic only.
class Random
{
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // In [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // In [0, n) for n > 0.
    int below(int n) { return int(next() % std::uint64_t(n)); }
    // Roughly normal with mean 0 and deviation 1 (sum of four uniforms).
    double gaussian() { return (uniform() + uniform() + uniform() + uniform() - 2.0) * 1.7320508075688772; }

private:
    std::uint64_t m_state;
};
