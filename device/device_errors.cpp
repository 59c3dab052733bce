// The board's errors: caught from its output, traced back to the file and line they belong to,
// logged, marked and jumped to.
#include "device/device_session.h"

#include "base/folders.h"
#include "base/text_conversion.h"
#include "device/error_marks.h"
#include "device/line_origin.h"
#include "documents/document_list.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "ui/requesters.h"

#include <QTime>

#include <algorithm>
#include <filesystem>

namespace {

// The file of an include chain: each name next to the file that includes it, else in the
// include folder, as Merge finds them.
std::string resolve_include_chain(const std::string& program, const std::vector<std::string>& names,
                                  const std::string& include_folder) {
    namespace fs = std::filesystem;
    fs::path file = program;
    for (const std::string& name : names) {
        fs::path beside = file.parent_path() / name;
        std::error_code ignored;
        file = fs::exists(beside, ignored) || include_folder.empty()
                   ? beside
                   : fs::path(include_folder) / name;
    }
    return file.lexically_normal().string();
}

} // namespace

void DeviceSession::catch_errors(const QByteArray& bytes) {
    std::vector<CapturedError> found =
        capture_.feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    for (const CapturedError& error : found) {
        if (error.completes_previous) {
            if (errors_.empty()) continue;
            DeviceError& last = errors_.back();
            last.message = bytes_to_utf8(error.message) + " [" + last.message + "]";
            continue;
        }
        add_error(error);
    }
    if (!found.empty() && on_errors_changed) on_errors_changed();
}

void DeviceSession::add_error(const CapturedError& error) {
    DeviceError entry;
    entry.time = QTime::currentTime().toString(QStringLiteral("hh:mm:ss")).toStdString();
    entry.message = (error.library ? "[LIBRARY] " : "") + bytes_to_utf8(error.message);
    entry.line = error.line;
    const Document* current = context_.documents.current_document();
    std::string sent = !last_sent_path_.empty() ? last_sent_path_ : current ? current->path : "";
    if (error.library || error.line <= 0) {
        entry.line = 0; // logged only: no line of the program to go to
    } else if (!error.file.empty()) {
        entry.file = error.file; // an included file, named by the interpreter
    } else if (!last_sent_text_.empty()) {
        // A program sent merged: the line is traced back to the file it came from.
        LineOrigin origin = origin_of_line(last_sent_text_, error.line);
        if (origin.includes.empty()) {
            entry.file = sent;
            entry.line = last_sent_merged_ ? origin.line : error.line;
        } else {
            entry.file = resolve_include_chain(sent, origin.includes, context_.folders.include);
            entry.line = origin.line;
        }
    } else {
        entry.file = sent;
    }
    errors_.push_back(entry);
    if (entry.line <= 0) return;
    if (current && current->path == entry.file && context_.editor) mark_error_line(entry.line);
    if (jump_to_next_error_) {
        jump_to_next_error_ = false;
        jump_to_error(errors_.size() - 1);
    }
}

void DeviceSession::mark_error_line(long line) {
    ::mark_error_line(context_.editor, line);
}

void DeviceSession::jump_to_error(std::size_t index) {
    if (index >= errors_.size() || !context_.editor) return;
    const DeviceError error = errors_[index];
    if (error.line <= 0 || error.file.empty()) return;
    int found = -1;
    for (int i = 0; i < context_.documents.count(); ++i)
        if (context_.documents.documents[i].path == error.file) found = i;
    if (found < 0) {
        std::error_code ignored;
        if (std::filesystem::is_regular_file(error.file, ignored))
            found = context_.open_path(error.file);
        if (found < 0) {
            context_.requesters.message(
                "Error Log", "The file " + error.file + " is not open any more.", Buttons::Ok);
            return;
        }
    }
    if (found != context_.documents.current) {
        context_.activate_document(found);
    }
    long lines = sci_line_count(context_.editor);
    long line = std::clamp(error.line, 1L, std::max(lines, 1L));
    mark_error_line(line);
    sci_ensure_visible(context_.editor, line - 1);
    sci_goto_line(context_.editor, line - 1);
    context_.editor->setFocus();
}
