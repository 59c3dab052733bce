// What the tabs and the window title tell about the documents: the modified mark, the full
// path as tooltip, and moving between and closing tabs from the keyboard.
#pragma once

#include <string>

struct Workspace;
struct Document;
struct DocumentList;
class TabBarWidget;
struct TabItem;

// The tab's text: the file name, with " *" while the document has unsaved changes.
std::string tab_caption(const Document& document);
// The tab's tooltip and mark: the path, or where the file lives besides this computer (a
// board's file) with the tab marked.
void describe_tab(TabItem& item, const Document& document);
// Shows the caption and path of the document at `position` on its tab.
void show_tab_of(TabBarWidget* tab_bar, const DocumentList& documents, int position);
// Takes the current document's modified state from the editor and shows it on its tab and in
// the window title; cheap when nothing changed.
void show_modified_state(Workspace& ws);
// Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+W on the main window.
void install_tab_shortcuts(Workspace& ws);
