// A running editor in a temporary home, for the benchmarks that need the whole application.
#pragma once

#include "app/app.h"

#include <QTemporaryDir>

class EditorWidget;
class QWidget;

#include <functional>
#include <memory>
#include <string>

struct BenchApp {
    QTemporaryDir home;
    std::unique_ptr<App> app;

    // Fills the home (its path, ending in '/') and the data folder before the editor starts.
    using Prepare = std::function<void(const std::string& home, const std::string& data_folder)>;
    // Starts the editor with `arguments`; every dialog is answered with its default.
    explicit BenchApp(const std::vector<std::string>& arguments = {}, const Prepare& prepare = {});
    ~BenchApp();
    std::string path(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;
};

// Lets queued events, painting included, run.
void bench_process_events();

// The reference of the editor benchmarks: a bare editing control of `like`'s size (800 by 600
// without one) with Scintilla's built-in VB lexer and `vb_keywords`, shown so that it paints.
std::unique_ptr<EditorWidget> bare_control(QWidget* like, const char* vb_keywords = nullptr);
// Opening in that control: the file at `path` read, put in, coloured whole and painted.
void open_in_bare_control(EditorWidget* control, const std::string& path);
