// A running editor in a temporary home, for the benchmarks that need the whole application.
#pragma once

#include "app/app.h"

#include <QTemporaryDir>

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
