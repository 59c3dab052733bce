// What the device session works with, given once when the session is made: the application's
// records it reads and writes, the window's widgets it shows things in, and the window's part
// in placing the console and showing documents.
#pragma once

#include <functional>
#include <string>

struct DocumentList;
class EditorWidget;
class QSplitter;
class QStatusBar;
class QWidget;
class Requesters;
struct Folders;
struct Settings;

struct DeviceContext {
    // The connection's values (port, speed, pauses), the panel's choices, its height and the
    // local interpreter are kept here for the next start.
    Settings& settings;
    const Folders& folders; // the include folder, for programs sent merged
    Requesters& requesters;
    DocumentList& documents;
    EditorWidget* editor = nullptr;   // null without a window
    QWidget* window = nullptr;        // parent of the dialogs; null without a window
    QStatusBar* status_bar = nullptr; // where the link's state shows; null without a window
    // Puts `panel` below the editor area, both in a new vertical splitter, and returns the
    // splitter; null (the panel left alone) when the window has no place for it.
    std::function<QSplitter*(QWidget* panel)> place_console;
    // Opens the file `path` in a tab; its position, or -1 when it could not (and said why).
    std::function<int(const std::string& path)> open_path;
    // Makes the document at `position` the current one, its tab selected.
    std::function<void(int position)> activate_document;
    // Saves the current document; a failure or a cancel leaves it modified (and was told).
    std::function<void()> save_current;
};
