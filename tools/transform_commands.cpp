// Running the program transformations on the current document.
#include "tools/transform_commands.h"

#include "app/app.h"
#include "documents/document_commands.h"
#include "editor/editor_widget.h"
#include "tools/saving.h"
#include "tools/transform.h"

#include <optional>

namespace {

// Far beyond any real program; only absurd nesting times a huge tab size gets there.
constexpr std::size_t largest_formatted_text = std::size_t{256} << 20;

// The new text replaces the old in one step that one Undo takes back.
void replace_text(App& app, const std::string& text) {
    set_editor_text(app, text, false);
}

} // namespace

void remove_indents(App& app) {
    if (!app.editor) return;
    replace_text(app, remove_indents_text(get_editor_text(app.editor)));
}

void format_document(App& app) {
    if (!app.editor) return;
    const Options& options = app.settings.options;
    std::optional<std::string> text =
        format_text_within(get_editor_text(app.editor), app.documents.current_names,
                           options.indent_labels, options.tab_size, largest_formatted_text);
    if (!text) {
        app.requesters->message("Format",
                                "The formatted program would be larger than 256 MB; nothing "
                                "was changed. Check the indentation settings.",
                                Buttons::Ok);
        return;
    }
    replace_text(app, *text);
}
