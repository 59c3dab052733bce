// The application fixture: temporary folders, scripted dialogs, start and quit.
#include "support/app_fixture.h"

#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "app/startup.h"
#include "editor/editor_widget.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QtTest/QTest>

#include <fstream>
#include <iterator>

void process_events() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool wait_until(const std::function<bool()>& done, int limit_ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit_ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(1);
    }
    return true;
}

AppFixture::AppFixture() : next_requesters(std::make_unique<ScriptedRequesters>()) {
    std::string root = home.path().toStdString() + "/";
    program_folder = root + "program/";
    app_data_folder = root + "appdata/";
    documents_folder = root + "documents/";
    QDir().mkpath(QString::fromStdString(program_folder));
    QDir().mkpath(QString::fromStdString(app_data_folder));
    QDir().mkpath(QString::fromStdString(documents_folder));
    requesters = next_requesters.get();
}

AppFixture::~AppFixture() {
    stop();
}

std::string AppFixture::data_folder() const {
    return app_data_folder + "Brevant/Zelledit/";
}

void AppFixture::start(const std::vector<std::string>& arguments) {
    StartupEnvironment environment;
    environment.executable_path = program_folder + "zelledit";
    environment.arguments = arguments;
    environment.app_data_folder = app_data_folder;
    environment.documents_folder = documents_folder;
    environment.os_name = "Linux";
    environment.os_major = 6;
    environment.os_minor = 1;
    if (!next_requesters) next_requesters = std::make_unique<ScriptedRequesters>();
    requesters = next_requesters.get();
    app = start_app(environment, std::move(next_requesters));
    // Give the window the keyboard as a person's click would, so focus-dependent keys work.
    if (app && app->window) {
        app->window->activateWindow();
        QApplication::setActiveWindow(app->window.get());
        if (app->editor) app->editor->setFocus();
    }
    process_events();
}

void AppFixture::start_with_intro(const std::string& intro) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT FOR NEXT SUB END ");
    write_file(data_folder() + "newfile.txt", intro);
    start();
}

void AppFixture::quit() {
    if (!app) return;
    run_command(*app, menu_id::quit);
    process_events();
}

void AppFixture::stop() {
    if (!app) return;
    app.reset();
    next_requesters = std::make_unique<ScriptedRequesters>();
    requesters = next_requesters.get();
}

std::string AppFixture::path(const std::string& relative) const {
    return home.path().toStdString() + "/" + relative;
}

void AppFixture::write_file(const std::string& file, const std::string& bytes) const {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string AppFixture::read_file(const std::string& file) const {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void save_screenshot(QWidget* widget, const std::string& name) {
    const QByteArray folder = qgetenv("ZELL_SHOT_DIR");
    if (folder.isEmpty() || !widget) return;
    widget->grab().save(QString::fromLocal8Bit(folder) + "/" + QString::fromStdString(name) +
                        ".png");
}

std::vector<std::string> AppFixture::labels() const {
    std::vector<std::string> items;
    for (int i = 0; i < app->label_list->count(); ++i)
        items.push_back(app->label_list->item(i)->text().toStdString());
    return items;
}
