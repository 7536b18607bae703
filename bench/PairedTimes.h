// Two cases timed in turn within one benchmark (A B A B ...), so that a slower
// or busier machine hits both alike. Each pair gives one ratio A / B; the
// report holds the median wall time of each case and the median and quartiles
// of the ratio, the quartiles being the spread.
#ifndef PAIREDTIMES_H
#define PAIREDTIMES_H

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

class PairedTimes
{
public:
    typedef std::chrono::steady_clock Clock;

    void Add(Clock::duration a, Clock::duration b)
    {
        double secondsA = std::chrono::duration<double>(a).count();
        double secondsB = std::chrono::duration<double>(b).count();
        timesA.push_back(secondsA);
        timesB.push_back(secondsB);
        if (secondsB > 0.0)
            ratios.push_back(secondsA / secondsB);
    }

    // Counters "<a>_ms", "<b>_ms", "ratio" (A / B, median), "ratio_q1", "ratio_q3".
    void Report(benchmark::State& state, const std::string& nameA, const std::string& nameB) const
    {
        if (ratios.empty())
            return;
        state.counters[nameA + "_ms"] = Quantile(timesA, 0.5) * 1e3;
        state.counters[nameB + "_ms"] = Quantile(timesB, 0.5) * 1e3;
        state.counters["ratio"] = Quantile(ratios, 0.5);
        state.counters["ratio_q1"] = Quantile(ratios, 0.25);
        state.counters["ratio_q3"] = Quantile(ratios, 0.75);
    }

private:
    static double Quantile(std::vector<double> values, double q)
    {
        std::sort(values.begin(), values.end());
        double at = q * (double)(values.size() - 1);
        size_t low = (size_t)at;
        size_t high = std::min(low + 1, values.size() - 1);
        return values[low] + (values[high] - values[low]) * (at - (double)low);
    }

    std::vector<double> timesA;
    std::vector<double> timesB;
    std::vector<double> ratios;
};

#endif
