// The current program as the Program menu's tools work on it: the editor showing it, its
// document, its names, the settings that shape the result, and where to say what went wrong.
#pragma once

#include "base/settings.h"
#include "documents/document_list.h"
#include "documents/line_ends.h"
#include "editor/syntax.h"

#include <functional>
#include <string_view>

class QsciScintillaBase;
class Requesters;
struct EditorRecord;

struct ProgramContext {
    QsciScintillaBase* editor;
    EditorRecord& record;
    Document* document; // the current document; null when there is none
    Requesters& requesters;
    const Options& options;
    Syntax syntax;
    std::string_view names; // the current document's names, each followed by one blank
    // The text was replaced: the names are collected again at once.
    std::function<void()> text_replaced;
};

// The line end the transformed text is written with: the document's own (CRLF without one).
inline std::string_view program_line_end(const ProgramContext& context) {
    return line_end_text(context.document ? context.document->line_end : LineEnd::crlf);
}
