// The colouring path on the control: notifications, recolouring lines, word-table changes.
#pragma once

#include "editor/editor_record.h"

#include <string_view>

class QsciScintillaBase;

// Scintilla notification codes (the Qt binding uses the SCN_* names for its signals).
namespace scn {
constexpr int style_needed = 2000;
constexpr int char_added = 2001;
constexpr int update_ui = 2007;
constexpr int modified = 2008;
constexpr int margin_click = 2010;
constexpr int need_shown = 2011;
} // namespace scn

// The fields of a Scintilla notification the handler reads.
struct Notification {
    int code = 0;
    long position = 0;
    int ch = 0;
    int modification_type = 0;
    long length = 0;
    long lines_added = 0;
    int margin = 0;
};

// Styles what Scintilla asks for, fits the line-number margin when lines come or go, opens
// folds by the fold margin and for hidden text that must show, then refreshes the status line.
void handle_notification(EditorRecord& record, QsciScintillaBase* control,
                         const Notification& notification);

// Colours lines first to last (last -1: to the end), starting one line earlier, setting fold
// levels; styling stops at byte position `stop` unless it is -1.
void restyle_lines(EditorRecord& record, QsciScintillaBase* control, long first, long last,
                   long stop);
inline void recolour_all(EditorRecord& record, QsciScintillaBase* control) {
    restyle_lines(record, control, 0, -1, -1);
}

// Installs a line styler, returns the previous one, and recolours the whole text.
LineStyler set_line_styler(EditorRecord& record, QsciScintillaBase* control, LineStyler styler);

// Word-table changes on the control (8-bit words, blank-separated). Sorting is never needed:
// the table is a map.
int add_words(EditorRecord& record, QsciScintillaBase* control, std::string_view words, int style,
              int options, bool recolour);
void add_delimiter(EditorRecord& record, QsciScintillaBase* control, std::string_view delimiter,
                   std::string_view closing, int options, int style, bool recolour);
void remove_words(EditorRecord& record, QsciScintillaBase* control, std::string_view words,
                  bool recolour);
