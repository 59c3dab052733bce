// A fresh running editor per test, with its own program, data and documents folders.
#pragma once

#include "app/app.h"
#include "support/scripted_requesters.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class AppFixture : public ::testing::Test {
  protected:
    AppFixture();
    ~AppFixture() override;

    // Starts the editor; `requesters` keeps answering afterwards.
    void start(const std::vector<std::string>& arguments = {});
    // Starts with a small keyword file and `intro` as the text of new documents.
    void start_with_intro(const std::string& intro);
    // Ends it the way the user does (exit command, answers as scripted).
    void quit();
    // Drops the running editor without the shutdown sequence.
    void stop();
    // The entries of the label list, as shown.
    std::vector<std::string> labels() const;

    std::string path(const std::string& relative) const; // inside the temporary home
    void write_file(const std::string& path, const std::string& bytes) const;
    std::string read_file(const std::string& path) const;

    QTemporaryDir home;
    std::string program_folder;  // holds the pretend executable
    std::string app_data_folder; // the data folder is below it
    std::string documents_folder;
    std::string data_folder() const;

    ScriptedRequesters* requesters = nullptr; // owned by the app while it runs
    std::unique_ptr<ScriptedRequesters> next_requesters;
    std::unique_ptr<App> app;
};

// Runs pending events (layout, painting, queued signals).
void process_events();

// Runs the event loop until `done` holds, for at most `limit_ms`; a bound, not a timing.
bool wait_until(const std::function<bool()>& done, int limit_ms = 15000);

// Saves a picture of `widget` as <name>.png in the folder ZELL_SHOT_DIR names, when it is set,
// so a person can look at what a test built.
void save_screenshot(QWidget* widget, const std::string& name);
