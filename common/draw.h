#pragma once
// Random numbers that are the same on every platform: std::mt19937's output
// is fixed by the C++ standard, the standard library's distributions are
// not, so the bounded draws are our own. A seed then gives the same seating
// on Linux and Windows, in every version that keeps these draws.
//
// Quorlen and the examination draw a bounded number in two ways that agree
// except on the rare draw one of them throws away: Quorlen throws away the
// highest draws past the last whole multiple of the bound, the examination
// the lowest. Each keeps its own, so that every seed already printed on a
// plan or an exam's papers still gives the same seating.

#include <cstdint>
#include <random>
#include <utility>
#include <vector>

namespace common {

class Draw {
public:
    // Which draws a bounded draw throws away so that no value is favoured.
    enum class Rejects { Highest, Lowest };

    explicit Draw(std::uint32_t seed, Rejects rejects = Rejects::Highest)
        : m_engine(seed), m_rejects(rejects) {}

    // Uniform in [0, bound); 0, drawing nothing, when bound is not positive.
    int below(int bound) {
        if (bound <= 0)
            return 0;
        const auto n = std::uint32_t(bound);
        const auto spare = std::uint32_t((std::uint64_t(1) << 32) % n);
        for (;;) {
            const auto r = std::uint32_t(m_engine());
            if (m_rejects == Rejects::Highest ? r <= 0xFFFFFFFFu - spare : r >= spare)
                return int(r % n);
        }
    }

    // Every order equally likely (Fisher and Yates, from the back).
    template <typename T> void shuffle(std::vector<T>& values) {
        for (std::size_t i = values.size(); i > 1; --i)
            std::swap(values[i - 1], values[std::size_t(below(int(i)))]);
    }

private:
    std::mt19937 m_engine;
    Rejects m_rejects;
};

} // namespace common
