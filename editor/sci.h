// A thin typed layer over Scintilla's message interface: one call per message the program uses.
#pragma once

#include <Qsci/qsciscintillabase.h>

#include <string>
#include <string_view>

// Message, notification and constant names as Scintilla publishes them.
using Sci = QsciScintillaBase;

// Positions and lines as Scintilla counts them (bytes and 0-based lines).
using SciPos = long;
using SciLine = long;

inline long sci_send(QsciScintillaBase* control, unsigned message, unsigned long wparam = 0,
                     long lparam = 0) {
    return control ? control->SendScintilla(message, wparam, lparam) : 0;
}
inline long sci_send_text(QsciScintillaBase* control, unsigned message, unsigned long wparam,
                          const char* text) {
    return control ? control->SendScintilla(message, wparam, text) : 0;
}
inline long sci_send_ptr(QsciScintillaBase* control, unsigned message, unsigned long wparam,
                         void* pointer) {
    return control ? control->SendScintilla(message, wparam, pointer) : 0;
}

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

// Indicators: underlines and boxes laid over ranges of text.
inline void sci_indicator_style(QsciScintillaBase* c, int indicator, int style, long colour,
                                int alpha = 255) {
    const auto i = static_cast<unsigned long>(indicator);
    sci_send(c, Sci::SCI_INDICSETSTYLE, i, style);
    sci_send(c, Sci::SCI_INDICSETFORE, i, colour);
    sci_send(c, Sci::SCI_INDICSETALPHA, i, alpha);
    sci_send(c, Sci::SCI_INDICSETUNDER, i, 1);
}
inline void sci_indicator_fill(QsciScintillaBase* c, int indicator, SciPos start, SciPos length) {
    sci_send(c, Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
    sci_send(c, Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start), length);
}
inline void sci_indicator_clear_all(QsciScintillaBase* c, int indicator) {
    sci_send(c, Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
    sci_send(c, Sci::SCI_INDICATORCLEARRANGE, 0, sci_length(c));
}
inline bool sci_indicator_at(QsciScintillaBase* c, int indicator, SciPos pos) {
    return sci_send(c, Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator), pos) != 0;
}
inline void sci_set_mouse_dwell(QsciScintillaBase* c, int milliseconds) {
    sci_send(c, Sci::SCI_SETMOUSEDWELLTIME, static_cast<unsigned long>(milliseconds));
}
inline void sci_go_to_pos(QsciScintillaBase* c, SciPos pos) {
    sci_send(c, Sci::SCI_GOTOPOS, static_cast<unsigned long>(pos));
}
inline SciPos sci_position_from_point(QsciScintillaBase* c, int x, int y) {
    return sci_send(c, Sci::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(x), y);
}
