// A thin typed layer over Scintilla's message interface: one call per message the program uses.
// This part holds the text, positions and styling; the themes beside it hold editing, markers,
// the view and the pop-ups. Outside these headers the program sends no message directly.
#pragma once

#include "editor/sci_edit.h"
#include "editor/sci_marks.h"
#include "editor/sci_popups.h"
#include "editor/sci_send.h"
#include "editor/sci_view.h"

#include <string>
#include <string_view>

inline SciPos sci_length(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETLENGTH);
}
inline SciLine sci_line_count(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETLINECOUNT);
}
inline SciPos sci_current_pos(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETCURRENTPOS);
}
inline SciLine sci_line_from_position(QsciScintillaBase* c, SciPos pos) {
    return sci_send(c, Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos));
}
inline SciLine sci_caret_line(QsciScintillaBase* c) {
    return sci_line_from_position(c, sci_current_pos(c));
}
inline SciPos sci_position_from_line(QsciScintillaBase* c, SciLine line) {
    return sci_send(c, Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
}

// The whole text as the control holds it (UTF-8), zero bytes included.
inline std::string sci_text(QsciScintillaBase* c) {
    SciPos length = sci_length(c);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    // SCI_GETTEXT copies by length, so zero bytes inside the text come through.
    sci_send_ptr(c, Sci::SCI_GETTEXT, static_cast<unsigned long>(length + 1), text.data());
    text.resize(static_cast<std::size_t>(length));
    return text;
}

// The bytes from `start` to `end` (UTF-8), zero bytes included.
inline std::string sci_text_range(QsciScintillaBase* c, SciPos start, SciPos end) {
    if (!c || end <= start) return {};
    std::string text(static_cast<std::size_t>(end - start) + 1, '\0');
    c->SendScintilla(Sci::SCI_GETTEXTRANGE, start, end, text.data());
    text.resize(static_cast<std::size_t>(end - start));
    return text;
}

// Replaces the whole text as one undo step. Unlike SCI_SETTEXT, which takes a C string,
// this keeps zero bytes inside the text.
inline void sci_set_text(QsciScintillaBase* c, std::string_view utf8) {
    if (!c) return;
    sci_send(c, Sci::SCI_BEGINUNDOACTION);
    sci_send(c, Sci::SCI_CLEARALL);
    sci_send_text(c, Sci::SCI_APPENDTEXT, utf8.size(), utf8.data());
    sci_send(c, Sci::SCI_ENDUNDOACTION);
}

// Styles, margins, markers and folding as the editor configuration and the colouring use them.
inline void sci_style_set_fore(QsciScintillaBase* c, int style, long colour) {
    sci_send(c, Sci::SCI_STYLESETFORE, static_cast<unsigned long>(style), colour);
}
inline void sci_style_set_back(QsciScintillaBase* c, int style, long colour) {
    sci_send(c, Sci::SCI_STYLESETBACK, static_cast<unsigned long>(style), colour);
}
inline void sci_style_clear_all(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_STYLECLEARALL);
}
inline int sci_style_at(QsciScintillaBase* c, SciPos pos) {
    return static_cast<int>(sci_send(c, Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(pos)));
}
inline void sci_set_margin_width(QsciScintillaBase* c, int margin, int pixels) {
    sci_send(c, Sci::SCI_SETMARGINWIDTHN, static_cast<unsigned long>(margin), pixels);
}
inline int sci_margin_width(QsciScintillaBase* c, int margin) {
    return static_cast<int>(
        sci_send(c, Sci::SCI_GETMARGINWIDTHN, static_cast<unsigned long>(margin)));
}
inline void sci_marker_define(QsciScintillaBase* c, int marker, int symbol) {
    sci_send(c, Sci::SCI_MARKERDEFINE, static_cast<unsigned long>(marker), symbol);
}
inline void sci_marker_set_fore(QsciScintillaBase* c, int marker, long colour) {
    sci_send(c, Sci::SCI_MARKERSETFORE, static_cast<unsigned long>(marker), colour);
}
inline void sci_marker_set_back(QsciScintillaBase* c, int marker, long colour) {
    sci_send(c, Sci::SCI_MARKERSETBACK, static_cast<unsigned long>(marker), colour);
}
inline int sci_text_width(QsciScintillaBase* c, int style, const char* text) {
    return static_cast<int>(
        sci_send_text(c, Sci::SCI_TEXTWIDTH, static_cast<unsigned long>(style), text));
}
inline SciPos sci_line_length(QsciScintillaBase* c, SciLine line) {
    return sci_send(c, Sci::SCI_LINELENGTH, static_cast<unsigned long>(line));
}
inline SciPos sci_line_end_position(QsciScintillaBase* c, SciLine line) {
    return sci_send(c, Sci::SCI_GETLINEENDPOSITION, static_cast<unsigned long>(line));
}
inline SciPos sci_end_styled(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETENDSTYLED);
}
// Direct read access to `length` bytes from `pos`; valid until the text next changes.
inline const char* sci_range_pointer(QsciScintillaBase* c, SciPos pos, SciPos length) {
    return reinterpret_cast<const char*>(
        sci_send(c, Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(pos), length));
}
inline void sci_start_styling(QsciScintillaBase* c, SciPos pos) {
    sci_send(c, Sci::SCI_STARTSTYLING, static_cast<unsigned long>(pos), 31);
}
// One style per byte for the next styles.size() bytes.
inline void sci_set_styling_ex(QsciScintillaBase* c, std::string_view styles) {
    sci_send_text(c, Sci::SCI_SETSTYLINGEX, styles.size(), styles.data());
}
inline int sci_fold_level(QsciScintillaBase* c, SciLine line) {
    return static_cast<int>(sci_send(c, Sci::SCI_GETFOLDLEVEL, static_cast<unsigned long>(line)));
}
inline void sci_set_fold_level(QsciScintillaBase* c, SciLine line, int level) {
    sci_send(c, Sci::SCI_SETFOLDLEVEL, static_cast<unsigned long>(line), level);
}
inline void sci_toggle_fold(QsciScintillaBase* c, SciLine line) {
    sci_send(c, Sci::SCI_TOGGLEFOLD, static_cast<unsigned long>(line));
}
inline void sci_ensure_visible(QsciScintillaBase* c, SciLine line) {
    sci_send(c, Sci::SCI_ENSUREVISIBLE, static_cast<unsigned long>(line));
}
inline int sci_line_indentation(QsciScintillaBase* c, SciLine line) {
    return static_cast<int>(
        sci_send(c, Sci::SCI_GETLINEINDENTATION, static_cast<unsigned long>(line)));
}
// Inserts at the caret and moves the caret after the text; a selection is not replaced.
inline void sci_add_text(QsciScintillaBase* c, std::string_view text) {
    sci_send_text(c, Sci::SCI_ADDTEXT, text.size(), text.data());
}

