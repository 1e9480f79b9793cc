#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace lmr {

// Runs work(from, to) over [0, n) in parts, one per core, when n is large enough to gain by
// it: a large data file's readings and their number texts are most of the time it takes.
template <typename Work>
void ForEachPart(std::size_t n, const Work& work) {
    const std::size_t parts =
        n < 1000 ? 1 : std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
    std::vector<std::thread> threads;
    for (std::size_t k = 1; k < parts; ++k) {
        threads.emplace_back(work, n * k / parts, n * (k + 1) / parts);
    }
    work(std::size_t{0}, n / parts);
    for (std::thread& t : threads) t.join();
}

}  // namespace lmr
