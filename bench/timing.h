// Timing helpers shared by the benchmark cases.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// Runs f `runs` times and returns the best wall time in milliseconds.
template <typename F> double best_ms(int runs, F&& f) {
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        f();
        auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
    }
    return best;
}

// "name: 12.345 ms, reference 10.000 ms, ratio 1.23"
inline std::string bench_line(const char* name, double ms, double reference_ms) {
    char buffer[200];
    std::snprintf(buffer, sizeof buffer, "%s: %.3f ms, reference %.3f ms, ratio %.2f", name, ms,
                  reference_ms, reference_ms > 0 ? ms / reference_ms : 0.0);
    return buffer;
}
