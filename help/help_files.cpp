// Reading the help subsystem's files from the data folder, the program folder and the
// program's resources.
#include "help/help_files.h"

#include "base/file_io.h"
#include "base/folders.h"

#include <QFile>

namespace {

constexpr std::int64_t largest_help_file = 64 << 20;

std::string resource_text(const char* name) {
    QFile file(QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

std::string help_file_bytes(const Folders& folders) {
    for (const std::string& folder : {folders.data, folders.program}) {
        const std::string path = folder + help_file_name;
        const std::int64_t size = file_size(path);
        if (size < 0 || size > largest_help_file) continue;
        ReadResult file = read_whole_file(path);
        if (file.ok) return std::move(file.bytes);
    }
    return resource_text(":/Zellhelp.dat");
}

std::string links_file_path(const Folders& folders) {
    return folders.data + links_file_name;
}

std::string guide_text() {
    return resource_text(":/help/guide.md");
}

std::string change_log_text() {
    return resource_text(":/CHANGELOG.md");
}
