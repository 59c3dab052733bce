// Runs every benchmark case, or those named on the command line, and prints one line each.
#include "cases.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    int ran = 0;
    for (const BenchCase& c : bench_cases()) {
        bool wanted = argc < 2;
        for (int i = 1; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], c.name) == 0;
        if (!wanted) continue;
        std::printf("%s\n", c.run().c_str());
        std::fflush(stdout);
        ++ran;
    }
    return ran > 0 ? 0 : 1;
}
