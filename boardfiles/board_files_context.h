// What the board's files work with, given once when they are made: the application's records,
// the window's widgets they show things in, and the window's part in placing the panel and in
// opening, saving and making documents.
#pragma once

#include <functional>
#include <string>

class QStatusBar;
class QWidget;
class Requesters;
struct DocumentList;
struct Folders;
struct Settings;

struct BoardFilesContext {
    const Settings& settings; // whether connecting sets the board's clock
    // Where the requesters start (the current folder); working copies live in the data folder.
    const Folders& folders;
    Requesters& requesters;
    const DocumentList& documents;    // whether a file to upload has unsaved changes
    QWidget* window = nullptr;        // parent of the dialogs; null without a window
    QStatusBar* status_bar = nullptr; // the board's identity and short notes; null without one
    // Puts `panel` into the window, under the label list; false (the panel left alone) when the
    // window has no place for it.
    std::function<bool(QWidget* panel)> place_panel;
    // The position of the open document for the file `path`, or -1.
    std::function<int(const std::string& path)> find_open;
    // Opens the file `path` in a tab, or shows its tab; its position, or -1 (told in a box).
    std::function<int(const std::string& path)> open_path;
    // Makes the document at `position` current and saves it; false when it stays unsaved (a
    // failure or a cancel was told already).
    std::function<bool(int position)> save_document;
    // A new untitled document holding `text`.
    std::function<void(const std::string& text)> new_document;
};
