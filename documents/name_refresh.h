// Keeping a document's names true to its text: after an edit settles, the names are collected
// again from the whole text, names no longer there are withdrawn from the colouring and the
// label list, and new ones added.
#pragma once

#include <string_view>

class QsciScintillaBase;
struct EditorRecord;
struct Workspace;

// How long the text must stay unchanged before its names are collected again.
constexpr int names_settle_ms = 400;

// The text changed: the names are collected again once it has settled.
void schedule_names_refresh(Workspace& ws);
// Collects the current document's names from its text now and applies the differences.
void refresh_names_from_text(Workspace& ws);
// The label list is refilled once, when the current batch of changes is done.
void schedule_label_list_refresh(Workspace& ws);

// Removes names (each followed by one blank) from the colouring words, with the "name:" form
// labels are learnt in; a name that is also a keyword becomes a keyword again.
void withdraw_names(EditorRecord& record, QsciScintillaBase* editor, std::string_view names);
