// The typed editor layer: selection and caret, editing and undo, target replacement, documents.
#pragma once

#include "editor/sci_send.h"

#include <string_view>

inline void sci_select_all(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_SELECTALL);
}
inline SciPos sci_selection_start(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETSELECTIONSTART);
}
inline SciPos sci_selection_end(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETSELECTIONEND);
}
inline bool sci_selection_empty(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETSELECTIONEMPTY) != 0;
}
inline void sci_set_sel(QsciScintillaBase* c, SciPos anchor, SciPos caret) {
    sci_send(c, Sci::SCI_SETSEL, static_cast<unsigned long>(anchor), caret);
}
inline void sci_goto_line(QsciScintillaBase* c, SciLine line) {
    sci_send(c, Sci::SCI_GOTOLINE, static_cast<unsigned long>(line));
}
inline void sci_goto_pos(QsciScintillaBase* c, SciPos pos) {
    sci_send(c, Sci::SCI_GOTOPOS, static_cast<unsigned long>(pos));
}
inline long sci_column(QsciScintillaBase* c, SciPos pos) {
    return sci_send(c, Sci::SCI_GETCOLUMN, static_cast<unsigned long>(pos));
}
inline SciPos sci_line_indent_position(QsciScintillaBase* c, SciLine line) {
    return sci_send(c, Sci::SCI_GETLINEINDENTPOSITION, static_cast<unsigned long>(line));
}
inline SciPos sci_word_start(QsciScintillaBase* c, SciPos pos, int only_word_characters) {
    return sci_send(c, Sci::SCI_WORDSTARTPOSITION, static_cast<unsigned long>(pos),
                    only_word_characters);
}
inline SciPos sci_word_end(QsciScintillaBase* c, SciPos pos, int only_word_characters) {
    return sci_send(c, Sci::SCI_WORDENDPOSITION, static_cast<unsigned long>(pos),
                    only_word_characters);
}
inline void sci_undo(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_UNDO);
}
inline void sci_redo(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_REDO);
}
inline void sci_cut(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_CUT);
}
inline void sci_copy(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_COPY);
}
inline void sci_paste(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_PASTE);
}
inline bool sci_can_undo(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_CANUNDO) != 0;
}
inline bool sci_can_redo(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_CANREDO) != 0;
}
inline bool sci_read_only(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETREADONLY) != 0;
}
inline void sci_set_read_only(QsciScintillaBase* c, int read_only) {
    sci_send(c, Sci::SCI_SETREADONLY, static_cast<unsigned long>(read_only));
}
inline void sci_begin_undo_action(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_BEGINUNDOACTION);
}
inline void sci_end_undo_action(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_ENDUNDOACTION);
}
inline void sci_empty_undo_buffer(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_EMPTYUNDOBUFFER);
}
inline void sci_set_save_point(QsciScintillaBase* c) {
    sci_send(c, Sci::SCI_SETSAVEPOINT);
}
inline bool sci_modified(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETMODIFY) != 0;
}
inline void sci_insert_text(QsciScintillaBase* c, SciPos pos, const char* text) {
    sci_send_text(c, Sci::SCI_INSERTTEXT, static_cast<unsigned long>(pos), text);
}
inline void sci_delete_range(QsciScintillaBase* c, SciPos pos, SciPos length) {
    sci_send(c, Sci::SCI_DELETERANGE, static_cast<unsigned long>(pos), length);
}
inline void sci_set_target_range(QsciScintillaBase* c, SciPos start, SciPos end) {
    sci_send(c, Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
}
inline void sci_convert_eols(QsciScintillaBase* c, int mode) {
    sci_send(c, Sci::SCI_CONVERTEOLS, static_cast<unsigned long>(mode));
}
inline void sci_set_eol_mode(QsciScintillaBase* c, int mode) {
    sci_send(c, Sci::SCI_SETEOLMODE, static_cast<unsigned long>(mode));
}
inline void sci_set_code_page(QsciScintillaBase* c, int code_page) {
    sci_send(c, Sci::SCI_SETCODEPAGE, static_cast<unsigned long>(code_page));
}
inline void sci_set_mod_event_mask(QsciScintillaBase* c, int mask) {
    sci_send(c, Sci::SCI_SETMODEVENTMASK, static_cast<unsigned long>(mask));
}
inline void sci_set_lexer(QsciScintillaBase* c, int lexer) {
    sci_send(c, Sci::SCI_SETLEXER, static_cast<unsigned long>(lexer));
}
inline void* sci_create_document(QsciScintillaBase* c) {
    return reinterpret_cast<void*>(sci_send(c, Sci::SCI_CREATEDOCUMENT));
}
inline void sci_set_document(QsciScintillaBase* c, void* document) {
    sci_send_ptr(c, Sci::SCI_SETDOCPOINTER, 0, document);
}
inline void sci_release_document(QsciScintillaBase* c, void* document) {
    sci_send_ptr(c, Sci::SCI_RELEASEDOCUMENT, 0, document);
}
inline SciPos sci_anchor(QsciScintillaBase* c) {
    return sci_send(c, Sci::SCI_GETANCHOR);
}

// Replaces the target range with `utf8` (zero bytes included).
inline void sci_replace_target(QsciScintillaBase* c, std::string_view utf8) {
    sci_send_text(c, Sci::SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()), utf8.data());
}
