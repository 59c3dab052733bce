// Reading and writing the shell's own files.
#include "app/shell_files.h"

#include "app/app.h"
#include "app/keyword_file.h"
#include "app/main_window.h"
#include "base/file_io.h"
#include "base/folders.h"
#include "base/settings_file.h"

#include <QDir>
#include <QFile>

void prepare_data_folder(const Folders& folders) {
    if (is_directory(folders.data)) return;
    if (!QDir().mkpath(QFile::decodeName(folders.data.c_str()))) return;
    QFile shipped(QStringLiteral(":/Zellcmndlist.dat"));
    if (!shipped.open(QIODevice::ReadOnly)) return;
    QByteArray keywords = shipped.readAll();
    write_file_safely(folders.keyword_path,
                      std::string_view(keywords.constData(), std::size_t(keywords.size())));
}

void load_keyword_text(App& app) {
    ReadResult file = read_whole_file(app.folders.keyword_path);
    if (!file.ok) {
        app.requesters->message("Information", "Couldn't open the Keywords file!", Buttons::Ok);
        return;
    }
    app.keyword_text = keyword_text_from_bytes(file.bytes);
}

void load_intro_text(App& app) {
    ReadResult file = read_whole_file(app.folders.intro_path);
    if (file.ok) app.intro_text = std::move(file.bytes);
}

namespace {

bool is_absolute(std::string_view path) {
    return !path.empty() && (path.front() == '/' || (path.size() >= 2 && path[1] == ':'));
}

} // namespace

void load_settings_file(App& app) {
    remove_stale_helper_files(app.folders.data);
    ReadResult file = read_whole_file(app.folders.settings_path);
    if (file.ok) read_settings(file.bytes, app.settings);
    // Only absolute folders are taken: a relative one meant the folder some earlier start ran
    // from, which this start cannot know.
    if (is_absolute(app.settings.user_folder))
        app.folders.current = with_separator(app.settings.user_folder);
    if (is_absolute(app.settings.include_folder))
        app.folders.include = with_separator(app.settings.include_folder);
}

bool save_settings_file(App& app) {
    take_window_placement(app);
    app.settings.user_folder = absolute_clean_path(app.folders.current, "/");
    app.settings.include_folder = absolute_clean_path(app.folders.include, "/");
    app.settings.open_file_list = app.open_file_list;
    WriteResult written =
        is_directory(app.folders.data)
            ? write_file_safely(app.folders.settings_path, settings_file_text(app.settings))
            : WriteResult{false, "The data folder " + app.folders.data + " does not exist"};
    if (!written.ok)
        app.requesters->message("Settings",
                                "Couldn't save " + app.folders.settings_path + "\n" + written.error,
                                Buttons::Ok);
    return written.ok;
}
