#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <string>
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

// The goals a benchmark states. Its last line says whether they were met, and its exit status is
// 0 when all were and 1 when one was missed (2 is left for a benchmark that could not measure).
class Goals {
public:
    // The goal: value at most limit; what names it, with its unit.
    void atMost(const char* what, double value, double limit)
    {
        char line[200];
        std::snprintf(line, sizeof line, "%s at most %g (%.6g)", what, limit, value);
        (value <= limit ? m_met : m_missed).emplace_back(line);
    }

    int finish() const
    {
        const std::vector<std::string>& list = m_missed.empty() ? m_met : m_missed;
        std::string text;
        for (const std::string& s : list)
            text += (text.empty() ? "" : "; ") + s;
        std::printf("%s: %s\n", m_missed.empty() ? "goal met" : "GOAL MISSED", text.c_str());
        return m_missed.empty() ? 0 : 1;
    }

private:
    std::vector<std::string> m_met;
    std::vector<std::string> m_missed;
};

} // namespace drovex::bench
