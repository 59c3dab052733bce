// The typed editor layer: the completion list and call tips.
#pragma once

#include "editor/sci_send.h"

inline bool sci_autoc_active(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_AUTOCACTIVE) != 0;
}
inline void sci_autoc_cancel(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_AUTOCCANCEL);
}
inline void sci_autoc_set_ignore_case(QsciScintillaBase* c, int ignore) {
    sci_send(c, Sci::SCI_AUTOCSETIGNORECASE, static_cast<unsigned long>(ignore));
}
inline void sci_autoc_set_separator(QsciScintillaBase* c, int separator) {
    sci_send(c, Sci::SCI_AUTOCSETSEPARATOR, static_cast<unsigned long>(separator));
}
inline void sci_autoc_set_order(QsciScintillaBase* c, int order) {
    sci_send(c, Sci::SCI_AUTOCSETORDER, static_cast<unsigned long>(order));
}
inline void sci_autoc_set_auto_hide(QsciScintillaBase* c, int hide) {
    sci_send(c, Sci::SCI_AUTOCSETAUTOHIDE, static_cast<unsigned long>(hide));
}
inline void sci_autoc_show(QsciScintillaBase* c, SciPos entered, const char* list) {
    sci_send_text(c, Sci::SCI_AUTOCSHOW, static_cast<unsigned long>(entered), list);
}
inline void sci_call_tip_use_style(QsciScintillaBase* c, int tab_size) {
    sci_send(c, Sci::SCI_CALLTIPUSESTYLE, static_cast<unsigned long>(tab_size));
}
inline void sci_call_tip_cancel(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_CALLTIPCANCEL);
}
inline void sci_call_tip_set_highlight(QsciScintillaBase* c, SciPos start, SciPos end) {
    sci_send(c, Sci::SCI_CALLTIPSETHLT, static_cast<unsigned long>(start), end);
}
inline void sci_call_tip_show(QsciScintillaBase* c, SciPos pos, const char* text) {
    sci_send_text(c, Sci::SCI_CALLTIPSHOW, static_cast<unsigned long>(pos), text);
}
inline bool sci_call_tip_active(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_CALLTIPACTIVE) != 0;
}
