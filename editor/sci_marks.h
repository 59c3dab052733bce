// The typed editor layer: line markers, margins and indicators. Their numbers are in marks.h.
#pragma once

#include "editor/sci_send.h"

inline void sci_marker_delete_all(QsciScintillaBase* c, int marker) {
    sci_send(c, Sci::SCI_MARKERDELETEALL, static_cast<unsigned long>(marker));
}
inline void sci_marker_add(QsciScintillaBase* c, SciLine line, int marker) {
    sci_send(c, Sci::SCI_MARKERADD, static_cast<unsigned long>(line), marker);
}
inline void sci_marker_delete(QsciScintillaBase* c, SciLine line, int marker) {
    sci_send(c, Sci::SCI_MARKERDELETE, static_cast<unsigned long>(line), marker);
}
inline int sci_marker_get(QsciScintillaBase* c, SciLine line) {
    return static_cast<int>(sci_send(c, Sci::SCI_MARKERGET, static_cast<unsigned long>(line)));
}
inline SciLine sci_marker_next(QsciScintillaBase* c, SciLine start, int mask) {
    return sci_send(c, Sci::SCI_MARKERNEXT, static_cast<unsigned long>(start), mask);
}
inline SciLine sci_marker_previous(QsciScintillaBase* c, SciLine start, int mask) {
    return sci_send(c, Sci::SCI_MARKERPREVIOUS, static_cast<unsigned long>(start), mask);
}
inline void sci_marker_set_alpha(QsciScintillaBase* c, int marker, int alpha) {
    sci_send(c, Sci::SCI_MARKERSETALPHA, static_cast<unsigned long>(marker), alpha);
}
inline void sci_set_margin_mask(QsciScintillaBase* c, int margin, long mask) {
    sci_send(c, Sci::SCI_SETMARGINMASKN, static_cast<unsigned long>(margin), mask);
}
inline long sci_margin_mask(QsciScintillaBase* c, int margin) {
    return sci_send(c, Sci::SCI_GETMARGINMASKN, static_cast<unsigned long>(margin));
}
inline void sci_set_margin_sensitive(QsciScintillaBase* c, int margin, int sensitive) {
    sci_send(c, Sci::SCI_SETMARGINSENSITIVEN, static_cast<unsigned long>(margin), sensitive);
}
inline void sci_set_margin_type(QsciScintillaBase* c, int margin, int type) {
    sci_send(c, Sci::SCI_SETMARGINTYPEN, static_cast<unsigned long>(margin), type);
}
inline int sci_margin_type(QsciScintillaBase* c, int margin) {
    return static_cast<int>(
        sci_send(c, Sci::SCI_GETMARGINTYPEN, static_cast<unsigned long>(margin)));
}
inline void sci_set_fold_margin_colour(QsciScintillaBase* c, int use, long colour) {
    sci_send(c, Sci::SCI_SETFOLDMARGINCOLOUR, static_cast<unsigned long>(use), colour);
}
inline void sci_set_fold_margin_hi_colour(QsciScintillaBase* c, int use, long colour) {
    sci_send(c, Sci::SCI_SETFOLDMARGINHICOLOUR, static_cast<unsigned long>(use), colour);
}
inline void sci_indic_set_style(QsciScintillaBase* c, int indicator, int style) {
    sci_send(c, Sci::SCI_INDICSETSTYLE, static_cast<unsigned long>(indicator), style);
}
inline void sci_indic_set_fore(QsciScintillaBase* c, int indicator, long colour) {
    sci_send(c, Sci::SCI_INDICSETFORE, static_cast<unsigned long>(indicator), colour);
}
inline void sci_indic_set_alpha(QsciScintillaBase* c, int indicator, int alpha) {
    sci_send(c, Sci::SCI_INDICSETALPHA, static_cast<unsigned long>(indicator), alpha);
}
inline void sci_indic_set_under(QsciScintillaBase* c, int indicator, int under) {
    sci_send(c, Sci::SCI_INDICSETUNDER, static_cast<unsigned long>(indicator), under);
}
inline void sci_set_indicator_current(QsciScintillaBase* c, int indicator) {
    sci_send(c, Sci::SCI_SETINDICATORCURRENT, static_cast<unsigned long>(indicator));
}
inline void sci_indicator_clear_range(QsciScintillaBase* c, SciPos start, SciPos length) {
    sci_send(c, Sci::SCI_INDICATORCLEARRANGE, static_cast<unsigned long>(start), length);
}
inline void sci_indicator_fill_range(QsciScintillaBase* c, SciPos start, SciPos length) {
    sci_send(c, Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(start), length);
}

// An indicator's whole look: drawn under the text in `colour`.
inline void sci_indicator_style(QsciScintillaBase* c, int indicator, int style, long colour,
                                int alpha = 255) {
    sci_indic_set_style(c, indicator, style);
    sci_indic_set_fore(c, indicator, colour);
    sci_indic_set_alpha(c, indicator, alpha);
    sci_indic_set_under(c, indicator, 1);
}
inline void sci_indicator_fill(QsciScintillaBase* c, int indicator, SciPos start, SciPos length) {
    sci_set_indicator_current(c, indicator);
    sci_indicator_fill_range(c, start, length);
}
inline void sci_indicator_clear_all(QsciScintillaBase* c, int indicator) {
    sci_set_indicator_current(c, indicator);
    sci_indicator_clear_range(c, 0, sci_send(c, Sci::SCI_GETLENGTH));
}
inline bool sci_indicator_at(QsciScintillaBase* c, int indicator, SciPos pos) {
    return sci_send(c, Sci::SCI_INDICATORVALUEAT, static_cast<unsigned long>(indicator), pos) != 0;
}
