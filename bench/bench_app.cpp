// A running editor in a temporary home, for the benchmarks that need the whole application.
#include "bench_app.h"

#include "app/startup.h"
#include "ui/requesters.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>

#include <fstream>

namespace {

// Answers every dialog as its default button would, so nothing waits for a person.
class DefaultAnswers : public Requesters {
  public:
    Answer message(const std::string&, const std::string&, Buttons buttons) override {
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    Answer recovery(const std::string&, const std::string&) override { return Answer::Cancel; }
    std::optional<std::string> input(const std::string&, const std::string&,
                                     const std::string&) override {
        return std::nullopt;
    }
    std::string open_file(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::string save_file(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    std::optional<std::uint32_t> choose_colour(const std::string&, std::uint32_t) override {
        return std::nullopt;
    }
    bool print(const std::string&, const std::function<void(QPrinter&)>&) override { return false; }
};

} // namespace

BenchApp::BenchApp(const std::vector<std::string>& arguments, const Prepare& prepare) {
    StartupEnvironment environment;
    std::string root = home.path().toStdString() + "/";
    QDir().mkpath(QString::fromStdString(root + "program"));
    QDir().mkpath(QString::fromStdString(root + "appdata"));
    QDir().mkpath(QString::fromStdString(root + "documents"));
    environment.executable_path = root + "program/zelledit";
    environment.arguments = arguments;
    environment.app_data_folder = root + "appdata/";
    environment.documents_folder = root + "documents/";
    environment.os_name = "Linux";
    if (prepare) {
        const std::string data_folder = root + "appdata/Brevant/Zelledit/";
        QDir().mkpath(QString::fromStdString(data_folder));
        prepare(root, data_folder);
    }
    app = start_app(environment, std::make_unique<DefaultAnswers>());
    bench_process_events();
}

BenchApp::~BenchApp() {
    app.reset();
}

std::string BenchApp::path(const std::string& name) const {
    return home.path().toStdString() + "/" + name;
}

void BenchApp::write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

void bench_process_events() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}
