// The View menu toggles as they act on the editing control.
#include "editor/view_options.h"

#include "editor/colouring.h"
#include "editor/editor_config.h"
#include "editor/sci.h"

void apply_syntax(EditorRecord& record, QsciScintillaBase* control, Syntax syntax) {
    record.syntax = syntax;
    set_separators(record, separators_of(syntax));
    if (control) recolour_all(record, control);
}

int* view_option(Options& options, int menu_id) {
    switch (static_cast<ViewToggle>(menu_id)) {
    case ViewToggle::SyntaxColouring:
        return &options.colour;
    case ViewToggle::CapitalKeywords:
        return &options.upper_case;
    case ViewToggle::WhiteSpaceMarkers:
        return &options.whitespace_markers;
    case ViewToggle::LineEndings:
        return &options.show_line_endings;
    case ViewToggle::IndentGuides:
        return &options.show_indent;
    case ViewToggle::AutoIndent:
        return &options.auto_indent;
    case ViewToggle::LineNumbers:
        return &options.line_numbers;
    }
    return nullptr;
}

const int* view_option(const Options& options, int menu_id) {
    return view_option(const_cast<Options&>(options), menu_id);
}

void apply_view_toggle(EditorRecord& record, QsciScintillaBase* control, const Settings& settings,
                       ViewToggle toggle) {
    if (!control) return;
    const Options& o = settings.options;
    switch (toggle) {
    case ViewToggle::SyntaxColouring:
        apply_colour_scheme(record, control, settings);
        break;
    case ViewToggle::CapitalKeywords:
        sci_style_set_case(control, style::keyword,
                           o.upper_case == 1 ? Sci::SC_CASE_UPPER : Sci::SC_CASE_MIXED);
        break;
    case ViewToggle::WhiteSpaceMarkers:
        sci_set_view_ws(control, o.whitespace_markers * 2);
        break;
    case ViewToggle::LineEndings:
        sci_set_view_eol(control, o.show_line_endings);
        break;
    case ViewToggle::IndentGuides:
        sci_set_indentation_guides(control, o.show_indent);
        break;
    case ViewToggle::AutoIndent:
        break;
    case ViewToggle::LineNumbers:
        sci_set_margin_type(control, margin_line_numbers,
                            o.line_numbers == 1 ? Sci::SC_MARGIN_NUMBER : Sci::SC_MARGIN_SYMBOL);
        fit_line_number_margin(record, control);
        break;
    }
}
