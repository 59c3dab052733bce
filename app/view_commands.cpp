// View options: each one an option of the settings, applied to the editor and shown as a tick.
#include "app/view_commands.h"

#include "app/app.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "editor/editor_config.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "editor/view_options.h"

namespace {

void show_line_end_mode(App& app, int mode) {
    set_menu_check(app, menu_id::dos_line_endings, mode == 0);
    set_menu_check(app, menu_id::unix_line_endings, mode == 1);
}

} // namespace

void toggle_view_option(App& app, int id) {
    int* option = view_option(app.settings.options, id);
    if (!option) return;
    *option = 1 - *option;
    apply_view_toggle(*app.editor_record, app.editor, app.settings, static_cast<ViewToggle>(id));
    set_menu_check(app, id, *option != 0);
}

void set_line_end_mode(App& app, int mode) {
    app.settings.options.line_endings_mode = mode;
    sci_send(app.editor, Sci::SCI_SETEOLMODE, static_cast<unsigned long>(mode * 2));
    sci_send(app.editor, Sci::SCI_CONVERTEOLS, static_cast<unsigned long>(mode * 2));
    show_line_end_mode(app, mode);
}

void apply_view_options(App& app) {
    QsciScintillaBase* editor = app.editor;
    Options& options = app.settings.options;
    sci_send(editor, Sci::SCI_SETTABWIDTH, 2);
    sci_send(editor, Sci::SCI_SETUSETABS, 0);
    apply_colour_scheme(*app.editor_record, editor, app.settings);
    set_menu_check(app, menu_id::view_colour, options.colour != 0);
    sci_send(editor, Sci::SCI_SETINDENTATIONGUIDES, static_cast<unsigned long>(options.show_indent));
    set_menu_check(app, menu_id::view_indent_guides, options.show_indent != 0);
    sci_send(editor, Sci::SCI_STYLESETCASE, 1,
             options.upper_case == 1 ? Sci::SC_CASE_UPPER : Sci::SC_CASE_MIXED);
    set_menu_check(app, menu_id::view_upper_case, options.upper_case != 0);
    sci_send(editor, Sci::SCI_SETMARGINTYPEN, 0,
             options.line_numbers == 1 ? Sci::SC_MARGIN_NUMBER : Sci::SC_MARGIN_SYMBOL);
    set_menu_check(app, menu_id::view_line_numbers, options.line_numbers != 0);
    int mode = options.line_endings_mode == 0 ? 0 : 1; // any other value means LF
    sci_send(editor, Sci::SCI_SETEOLMODE, static_cast<unsigned long>(mode * 2));
    sci_send(editor, Sci::SCI_CONVERTEOLS, static_cast<unsigned long>(mode * 2));
    show_line_end_mode(app, mode);
    sci_send(editor, Sci::SCI_SETVIEWEOL, static_cast<unsigned long>(options.show_line_endings));
    set_menu_check(app, menu_id::view_line_endings, options.show_line_endings != 0);
    sci_send(editor, Sci::SCI_SETVIEWWS, static_cast<unsigned long>(options.whitespace_markers * 2));
    set_menu_check(app, menu_id::view_white_space, options.whitespace_markers != 0);
    set_menu_check(app, menu_id::view_auto_indent, options.auto_indent != 0);
}
