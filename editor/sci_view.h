// The typed editor layer: scrolling, zoom, view options, style attributes and printing.
#pragma once

#include "editor/sci_send.h"

inline void sci_scroll_caret(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_SCROLLCARET);
}
inline void sci_scroll_range(QsciScintillaBase* c, SciPos secondary, SciPos primary) {
    sci_send(c, Sci::SCI_SCROLLRANGE, static_cast<unsigned long>(secondary), primary);
}
inline void sci_set_first_visible_line(QsciScintillaBase* c, SciLine line) {
    sci_send(c, Sci::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(line));
}
inline SciLine sci_first_visible_line(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETFIRSTVISIBLELINE);
}
inline SciLine sci_doc_line_from_visible(QsciScintillaBase* c, SciLine visible_line) {
    return sci_send(c, Sci::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(visible_line));
}
inline SciLine sci_lines_on_screen(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_LINESONSCREEN);
}
inline int sci_zoom(QsciScintillaBase* c) {
    return static_cast<int>(sci_send(c, Sci::SCI_GETZOOM));
}
inline void sci_set_zoom(QsciScintillaBase* c, int zoom) {
    sci_send(c, Sci::SCI_SETZOOM, static_cast<unsigned long>(zoom));
}
inline void sci_zoom_in(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_ZOOMIN);
}
inline void sci_zoom_out(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_ZOOMOUT);
}
inline void sci_set_tab_width(QsciScintillaBase* c, int width) {
    sci_send(c, Sci::SCI_SETTABWIDTH, static_cast<unsigned long>(width));
}
inline void sci_set_use_tabs(QsciScintillaBase* c, int use_tabs) {
    sci_send(c, Sci::SCI_SETUSETABS, static_cast<unsigned long>(use_tabs));
}
inline void sci_set_indentation_guides(QsciScintillaBase* c, int guides) {
    sci_send(c, Sci::SCI_SETINDENTATIONGUIDES, static_cast<unsigned long>(guides));
}
inline void sci_style_set_case(QsciScintillaBase* c, int style, int case_mode) {
    sci_send(c, Sci::SCI_STYLESETCASE, static_cast<unsigned long>(style), case_mode);
}
inline void sci_set_view_eol(QsciScintillaBase* c, int visible) {
    sci_send(c, Sci::SCI_SETVIEWEOL, static_cast<unsigned long>(visible));
}
inline void sci_set_view_ws(QsciScintillaBase* c, int mode) {
    sci_send(c, Sci::SCI_SETVIEWWS, static_cast<unsigned long>(mode));
}
inline void sci_set_whitespace_size(QsciScintillaBase* c, int size) {
    sci_send(c, Sci::SCI_SETWHITESPACESIZE, static_cast<unsigned long>(size));
}
inline void sci_set_sel_back(QsciScintillaBase* c, int use, long colour) {
    sci_send(c, Sci::SCI_SETSELBACK, static_cast<unsigned long>(use), colour);
}
inline void sci_set_sel_fore(QsciScintillaBase* c, int use, long colour) {
    sci_send(c, Sci::SCI_SETSELFORE, static_cast<unsigned long>(use), colour);
}
inline void sci_set_caret_line_visible(QsciScintillaBase* c, int visible) {
    sci_send(c, Sci::SCI_SETCARETLINEVISIBLE, static_cast<unsigned long>(visible));
}
inline void sci_set_caret_line_back(QsciScintillaBase* c, long colour) {
    sci_send(c, Sci::SCI_SETCARETLINEBACK, static_cast<unsigned long>(colour));
}
inline void sci_set_caret_fore(QsciScintillaBase* c, long colour) {
    sci_send(c, Sci::SCI_SETCARETFORE, static_cast<unsigned long>(colour));
}
inline void sci_style_set_font(QsciScintillaBase* c, int style, const char* font) {
    sci_send_text(c, Sci::SCI_STYLESETFONT, static_cast<unsigned long>(style), font);
}
inline void sci_style_set_size(QsciScintillaBase* c, int style, int size) {
    sci_send(c, Sci::SCI_STYLESETSIZE, static_cast<unsigned long>(style), size);
}
inline void sci_style_set_bold(QsciScintillaBase* c, int style, int bold) {
    sci_send(c, Sci::SCI_STYLESETBOLD, static_cast<unsigned long>(style), bold);
}
inline void sci_style_set_italic(QsciScintillaBase* c, int style, int italic) {
    sci_send(c, Sci::SCI_STYLESETITALIC, static_cast<unsigned long>(style), italic);
}
inline void sci_style_set_underline(QsciScintillaBase* c, int style, int underline) {
    sci_send(c, Sci::SCI_STYLESETUNDERLINE, static_cast<unsigned long>(style), underline);
}
inline void sci_set_print_wrap_mode(QsciScintillaBase* c, int mode) {
    sci_send(c, Sci::SCI_SETPRINTWRAPMODE, static_cast<unsigned long>(mode));
}
inline void sci_set_print_colour_mode(QsciScintillaBase* c, int mode) {
    sci_send(c, Sci::SCI_SETPRINTCOLOURMODE, static_cast<unsigned long>(mode));
}

// Draws the text from `start` to `end` into `area` of `painter` (one page); returns the position
// after the last character that fitted.
inline SciPos sci_format_range(QsciScintillaBase* c, QPainter* painter, const QRect& area,
                               SciPos start, SciPos end) {
    return c ? c->SendScintilla(Sci::SCI_FORMATRANGE, 1, painter, area, start, end) : 0;
}
// Frees what printing kept between pages.
inline void sci_format_range_end(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_FORMATRANGE, 0, 0);
}

inline void sci_set_mouse_dwell(QsciScintillaBase* c, int milliseconds) {
    sci_send(c, Sci::SCI_SETMOUSEDWELLTIME, static_cast<unsigned long>(milliseconds));
}
// The text position nearest the point, or -1 when the point is outside any text.
inline SciPos sci_position_from_point(QsciScintillaBase* c, int x, int y) {
    return sci_send(c, Sci::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(x), y);
}
