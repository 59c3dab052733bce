// The status bar's own fields: the caret's column and line, the current document's path, and
// its encoding and line-end mode. It follows the editor by itself once connected.
#pragma once

#include <string>

struct Document;
class EditorWidget;
class QLabel;
class QsciScintillaBase;
class QStatusBar;

struct StatusLine {
    // Column, line, path, and the current file's encoding and line-end mode.
    QLabel* fields[4] = {nullptr, nullptr, nullptr, nullptr};
    // The texts last shown in the column and line fields, so unchanged ones are not repainted.
    std::string shown_line;
    std::string shown_column;
};

// Adds the four fields to the window's status bar.
void build_status_line(StatusLine& status, QStatusBar* bar);
// The caret fields follow every change the editor reports, once per change.
void connect_status_line(StatusLine& status, EditorWidget* editor);

// Field 0 "Col: n", field 1 "Line: n/count" (as wide as the count needs).
void show_caret_status(StatusLine& status, QsciScintillaBase* editor);
// Every field, for the document now shown (none: the path and format fields stay as they are).
void show_document_status(StatusLine& status, QsciScintillaBase* editor, const Document* document);
// Field 3: "UTF-8" or "Latin-1", then "CRLF" or "LF".
void show_file_format(StatusLine& status, const Document* document);
