// Benchmarks: starting with 10,000 small files listed in the settings, and quitting with them
// open. The reference is the same with 1,000 files, times ten: growth in proportion to the
// number of files gives a ratio near 1, anything faster-growing a ratio well above it.
#include "bench_app.h"
#include "timing.h"

#include "app/shutdown.h"

#include <QTemporaryDir>

#include <fstream>
#include <vector>

namespace {

constexpr int many_files = 10000;
constexpr int reference_files = 1000;

// `count` small programs, written once before anything is timed.
std::vector<std::string> make_files(const QTemporaryDir& folder, int count) {
    std::vector<std::string> files;
    for (int i = 1; i <= count; ++i) {
        files.push_back(folder.path().toStdString() + "/prog" + std::to_string(i) + ".bas");
        std::ofstream(files.back(), std::ios::binary)
            << "10 REM program " << i << "\r\n20 PRINT \"hello\"\r\n30 END\r\n";
    }
    return files;
}

// A settings file that opens the first `count` of the files, written before the editor starts.
BenchApp::Prepare files_in_settings(const std::vector<std::string>& files, int count) {
    return [&files, count](const std::string&, const std::string& data_folder) {
        std::string settings = "[Preferences]\nConfirm before Exit=0\nOpen blank file=0\n"
                               "[Open Files]\nFile Count=" +
                               std::to_string(count) + "\n";
        for (int i = 1; i <= count; ++i)
            settings += "File" + std::to_string(i) + "=" + files[std::size_t(i - 1)] + "\n";
        std::ofstream(data_folder + "Zelledit2.inf", std::ios::binary) << settings;
        std::ofstream(data_folder + "Zellcmndlist.dat", std::ios::binary) << "PRINT REM END ";
    };
}

struct ManyFiles {
    QTemporaryDir folder;
    std::vector<std::string> files = make_files(folder, many_files);
};

double open_ms(const ManyFiles& many, int count) {
    return best_ms(1, [&many, count] { BenchApp bench({}, files_in_settings(many.files, count)); });
}

double quit_ms(const ManyFiles& many, int count) {
    BenchApp bench({}, files_in_settings(many.files, count));
    return best_ms(1, [&bench] { shut_down(*bench.app); });
}

} // namespace

std::string bench_open_10000_files() {
    const ManyFiles many;
    const double reference_ms = 10 * open_ms(many, reference_files);
    return bench_line("open_10000_files", open_ms(many, many_files), reference_ms);
}

std::string bench_quit_10000_files() {
    const ManyFiles many;
    const double reference_ms = 10 * quit_ms(many, reference_files);
    return bench_line("quit_10000_files", quit_ms(many, many_files), reference_ms);
}
