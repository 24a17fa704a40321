#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace drovex::bench {

// Runs fn `runs` times and returns the median in milliseconds.
template <typename Fn> double medianMs(int runs, Fn&& fn)
{
    std::vector<double> times;
    times.reserve(static_cast<size_t>(runs));
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        fn();
        times.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void report(const char* what, double ms) { std::printf("%-58s %10.3f ms\n", what, ms); }

} // namespace drovex::bench
