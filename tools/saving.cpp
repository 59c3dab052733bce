// Writing documents to disk.
#include "tools/saving.h"

#include "app/app.h"
#include "documents/document_commands.h"
#include "editor/sci.h"
#include "tools/text_conversion.h"

std::string get_editor_text(QsciScintillaBase* editor) { return utf8_to_bytes(sci_text(editor)); }

void save(App&) {}
void save_as(App&) {}

int close_with_prompt(App& app, int position, int) { return remove_document(app, position); }

bool close_document_for_exit(App& app) {
    remove_document(app, 0);
    return true;
}

void save_intro_text(App&) {}
