// View options: each one an option of the settings, applied to the editor and shown as a tick.
#include "app/view_commands.h"

#include "app/app.h"
#include "app/window_menus.h"
#include "documents/line_ends.h"
#include "documents/status_line.h"
#include "editor/editor_config.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "editor/view_options.h"

bool is_view_option_on(const App& app, int id) {
    const int* option = view_option(app.settings.options, id);
    return option && *option != 0;
}

LineEnd shown_line_end(const App& app) {
    const Document* document = app.documents.current_document();
    return document ? document->line_end : line_end_of_mode(app.settings.options.line_endings_mode);
}

void show_document_line_end(App& app) {
    const LineEnd kind = shown_line_end(app);
    sci_set_eol_mode(app.editor, scintilla_eol_mode(kind));
    show_file_format(app.status_line, app.documents.current_document());
    refresh_check_marks(app);
}

void toggle_view_option(App& app, int id) {
    int* option = view_option(app.settings.options, id);
    if (!option) return;
    *option = 1 - *option;
    apply_view_toggle(*app.editor_record, app.editor, app.settings, static_cast<ViewToggle>(id));
}

void set_line_end_mode(App& app, int mode) {
    app.settings.options.line_endings_mode = mode;
    Document* document = app.documents.current_document();
    if (!document) return;
    document->line_end = line_end_of_mode(mode);
    show_document_line_end(app);
    sci_convert_eols(app.editor, scintilla_eol_mode(document->line_end));
}

Syntax current_syntax(const App& app) {
    return app.settings.maximite_syntax != 0 ? Syntax::maximite : Syntax::alternate;
}

void set_syntax(App& app, Syntax syntax) {
    app.settings.maximite_syntax = syntax == Syntax::maximite ? 1 : 0;
    if (app.editor_record && app.editor_record->syntax != syntax)
        apply_syntax(*app.editor_record, app.editor, syntax);
}

void apply_view_options(App& app) {
    set_syntax(app, current_syntax(app));
    QsciScintillaBase* editor = app.editor;
    Options& options = app.settings.options;
    sci_set_tab_width(editor, 2);
    sci_set_use_tabs(editor, 0);
    apply_colour_scheme(*app.editor_record, editor, app.settings);
    sci_set_indentation_guides(editor, options.show_indent);
    sci_style_set_case(editor, style::keyword,
                       options.upper_case == 1 ? Sci::SC_CASE_UPPER : Sci::SC_CASE_MIXED);
    sci_set_margin_type(editor, margin_line_numbers,
                        options.line_numbers == 1 ? Sci::SC_MARGIN_NUMBER : Sci::SC_MARGIN_SYMBOL);
    fit_line_number_margin(*app.editor_record, editor);
    // The document keeps the line ends it was read with: nothing is converted here.
    show_document_line_end(app);
    sci_set_view_eol(editor, options.show_line_endings);
    sci_set_view_ws(editor, options.whitespace_markers * 2);
    refresh_check_marks(app);
}
