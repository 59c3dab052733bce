// The benchmark cases: each returns the line it prints ("name: <ms> ms, reference <ms> ms, ratio <r>").
#pragma once

#include <functional>
#include <string>
#include <vector>

struct BenchCase {
    const char* name;
    std::function<std::string()> run;
};

// Every case, in the order they run; each bench_*.cpp contributes one function listed here.
std::vector<BenchCase> bench_cases();
