// A running editor in a temporary home, for the benchmarks that need the whole application.
#include "bench_app.h"

#include "app/startup.h"
#include "base/file_io.h"
#include "base/text_conversion.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
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

std::unique_ptr<EditorWidget> bare_control(QWidget* like, const char* vb_keywords) {
    auto control = std::make_unique<EditorWidget>(nullptr);
    control->resize(like ? like->size() : QSize(800, 600));
    sci_send(control.get(), Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    sci_send(control.get(), Sci::SCI_SETLEXER, Sci::SCLEX_VB);
    if (vb_keywords) sci_send_text(control.get(), Sci::SCI_SETKEYWORDS, 0, vb_keywords);
    control->show();
    bench_process_events(); // shown and exposed, so repaint() really paints
    return control;
}

void open_in_bare_control(EditorWidget* control, const std::string& path) {
    ReadResult read = read_whole_file(path);
    sci_set_text(control, bytes_to_utf8(read.bytes));
    sci_send(control, Sci::SCI_COLOURISE, 0, -1);
    control->repaint();
}
