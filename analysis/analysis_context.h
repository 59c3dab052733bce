// What the analysis in the running editor works on: its own state, the editor and the current
// document, the widgets it fills, and the window's part in going to a place in another file.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class EditorWidget;
class QListWidget;
class QStatusBar;
class Requesters;
struct AnalysisState;
struct DocumentList;

struct AnalysisContext {
    AnalysisState& state;
    EditorWidget* editor;
    DocumentList& documents; // the current document: its file, and the tab rename comes back to
    QListWidget* label_list; // shows the outline; null without a window
    QStatusBar* status_bar;  // says why a command found nothing; null without a window
    Requesters& requesters;
    std::string_view keyword_text;   // the keyword file's words: a rename may not take one
    std::string_view include_folder; // where #INCLUDE looks after the program's own folder
    bool outline_in_label_list;      // the label list shows the outline instead of the names

    // Opens the file at `path`, or shows its tab when it is open: its index, or -1.
    std::function<int(const std::string& path)> open_path;
    // Shows the document at `index` in the editor.
    std::function<void(int index)> activate_document;
    // Goes to `line` of the current document; "Return from Sub/Function" comes back to the
    // caret's line.
    std::function<void(long line)> jump_to_line;
    // Goes to `line` of the current document after it was opened for a jump from line
    // `from_line` of another document (its Scintilla document and path).
    std::function<void(void* from, const std::string& from_path, long from_line, long line)>
        jump_from_document;
    // Places the panel below the editor again after it shows.
    std::function<void()> lay_out;
    // Widens the label list to fit its rows.
    std::function<void()> fit_label_list;
};
