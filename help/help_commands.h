// The Help menu's parts: the help window with the keywords, the user guide or the change log,
// and the external links with their menu items.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

class HelpWindow;
class QAction;
class QWidget;
class Requesters;
struct Folders;
struct HelpState;

// Opens an address in the desktop's browser; false when none would take it.
bool open_in_browser(const std::string& address);

// The help window, made on first use as a window of `parent`; its "Edit links" runs
// `edit_links`.
HelpWindow& help_window(HelpState& help, QWidget* parent, std::function<void()> edit_links);
// Shows the window in front with every keyword and its entry (Syntax Help away from a keyword).
void show_keyword_list(HelpWindow& window, HelpState& help, const Folders& folders,
                       const std::string& keyword_text);
// Shows the window in front with the user guide, or the change log.
void show_guide(HelpWindow& window);
void show_change_log(HelpWindow& window);

// The links file, made first (with a line saying how) when missing; false, after saying why,
// when it could not be made.
bool make_links_file(const Folders& folders, Requesters& requesters);
// Opens the link at `index` in the browser; says so when that fails.
void open_external_link(HelpState& help, std::size_t index, Requesters& requesters);
// Whether the "External resources" item at `index` stands for something: a link, or "Add
// links…" as the first item while no link is set.
bool external_item_set(const HelpState& help, std::size_t index);

// Reads the links file again and shows their titles on the "External resources" items, in
// order (null entries are skipped); unset items are hidden, and with no link the first item
// reads "Add links…".
void refresh_external_links(HelpState& help, const Folders& folders,
                            std::span<QAction* const> items);
