// Creating and configuring the editing control: styles, colour scheme, margins and markers.
#include "editor/editor_config.h"

#include "editor/colouring.h"
#include "editor/editor_widget.h"
#include "editor/line_styler.h"
#include "editor/sci.h"

#include <QAccessible>

#include <string>

namespace {

constexpr int caret_line_default = 0xB4FFFF;
constexpr int fixed_style_5_colour = 0x2193DE;
constexpr int marker_red = 0x0000FF;
constexpr int white = 0xFFFFFF;
constexpr int bookmark_margin_width = 20;
constexpr int fold_margin_width = 24;

// The fold markers with their symbols and whether they have a white foreground, in the order
// they are defined.
struct FoldMarker {
    int marker;
    int symbol;
    bool white_fore;
};
constexpr FoldMarker fold_markers[] = {
    {Sci::SC_MARKNUM_FOLDEROPEN, Sci::SC_MARK_BOXMINUS, true},
    {Sci::SC_MARKNUM_FOLDER, Sci::SC_MARK_BOXPLUS, true},
    {Sci::SC_MARKNUM_FOLDERSUB, Sci::SC_MARK_VLINE, false},
    {Sci::SC_MARKNUM_FOLDERTAIL, Sci::SC_MARK_LCORNER, false},
    {Sci::SC_MARKNUM_FOLDEREND, Sci::SC_MARK_BOXPLUSCONNECTED, true},
    {Sci::SC_MARKNUM_FOLDEROPENMID, Sci::SC_MARK_BOXMINUSCONNECTED, true},
    {Sci::SC_MARKNUM_FOLDERMIDTAIL, Sci::SC_MARK_TCORNER, false},
};

Notification modified_notification(int position, int type, int length, int lines_added) {
    Notification n;
    n.code = scn::modified;
    n.position = position;
    n.modification_type = type;
    n.length = length;
    n.lines_added = lines_added;
    return n;
}

void connect_notifications(EditorRecord& record, EditorWidget* w) {
    EditorRecord* r = &record;
    QObject::connect(w, &QsciScintillaBase::SCN_STYLENEEDED, w, [r, w](int position) {
        Notification n;
        n.code = scn::style_needed;
        n.position = position;
        handle_notification(*r, w, n);
    });
    QObject::connect(w, &QsciScintillaBase::SCN_MODIFIED, w,
                     [r, w](int position, int type, const char*, int length, int lines_added, int,
                            int, int, int, int) {
                         handle_notification(
                             *r, w, modified_notification(position, type, length, lines_added));
                     });
    QObject::connect(w, &QsciScintillaBase::SCN_MARGINCLICK, w,
                     [r, w](int position, int, int margin) {
                         Notification n;
                         n.code = scn::margin_click;
                         n.position = position;
                         n.margin = margin;
                         handle_notification(*r, w, n);
                     });
    QObject::connect(w, &QsciScintillaBase::SCN_NEEDSHOWN, w, [r, w](int position, int length) {
        Notification n;
        n.code = scn::need_shown;
        n.position = position;
        n.length = length;
        handle_notification(*r, w, n);
    });
    // The caret moves and the characters typed: the program follows them through the
    // control's signals, once the control has fitted its margin.
    QObject::connect(w, &QsciScintillaBase::SCN_UPDATEUI, w, [r, w](int updated) {
        Notification n;
        n.code = scn::update_ui;
        handle_notification(*r, w, n);
        if (updated & Sci::SC_UPDATE_CONTENT) Q_EMIT w->content_changed();
        Q_EMIT w->ui_updated(updated);
    });
    QObject::connect(w, &QsciScintillaBase::SCN_CHARADDED, w, [r, w](int ch) {
        Notification n;
        n.code = scn::char_added;
        n.ch = ch;
        handle_notification(*r, w, n);
        Q_EMIT w->char_added(ch);
    });
    r->on_name_learnt = [w](std::string_view name) { Q_EMIT w->name_learnt(name); };
}

} // namespace

EditorWidget* create_editor(EditorRecord& record, QWidget* parent, int x, int y, int width,
                            int height, int creation_flags) {
    auto* control = new EditorWidget(parent);
    control->setFrameShape(QFrame::StyledPanel);
    control->setFrameShadow(QFrame::Sunken);
    control->setGeometry(x, y, width, height);

    const int id = record.control;
    record = EditorRecord{};
    record.control = id;
    record.creation_flags = creation_flags;
    record.words.match_case = (creation_flags & creation_match_case) != 0;
    connect_notifications(record, control);

    sci_set_code_page(control, Sci::SC_CP_UTF8);
    sci_set_lexer(control, Sci::SCLEX_CONTAINER);
    // Each change notification costs the editing component time that grows with the caret's
    // distance from the start of the text (it counts characters for assistive technology), so
    // typing far down a long program lagged. The line-number margin follows the line count on
    // SCN_UPDATEUI instead; with assistive technology running, the notifications stay on.
    if (!QAccessible::isActive()) sci_set_mod_event_mask(control, 0);
    sci_set_margin_width(control, margin_bookmarks, 0);
    sci_set_margin_sensitive(control, margin_fold, 1);
    sci_set_margin_mask(control, margin_fold, Sci::SC_MASK_FOLDERS);
    for (const FoldMarker& m : fold_markers) {
        sci_marker_define(control, m.marker, m.symbol);
        bool back_first =
            m.marker == Sci::SC_MARKNUM_FOLDEREND || m.marker == Sci::SC_MARKNUM_FOLDEROPENMID;
        if (back_first) sci_marker_set_back(control, m.marker, 0);
        if (m.white_fore) sci_marker_set_fore(control, m.marker, white);
        if (!back_first) sci_marker_set_back(control, m.marker, 0);
    }
    sci_style_clear_all(control);
    fit_line_number_margin(record, control);
    sci_autoc_set_ignore_case(control, record.words.match_case ? 0 : 1);
    sci_call_tip_use_style(control, 0);
    sci_set_margin_mask(control, margin_bookmarks, 3);
    sci_marker_define(control, marker_bookmark, Sci::SC_MARK_SHORTARROW);
    sci_marker_define(control, marker_line_background, Sci::SC_MARK_BACKGROUND);
    sci_marker_set_back(control, marker_line_background, marker_red);
    if (parent) control->show();
    return control;
}

void configure_editor(EditorRecord& record, QsciScintillaBase* control,
                      std::string_view keyword_text) {
    if (!control) return;
    set_line_styler(record, control, style_program_line);
    set_editor_attribute(record, control, EditorAttribute::MarginSpacing, 10);
    set_margin_width(record, control, margin_fold, fold_margin_width);
    set_colour(control, ColourKind::CaretLineBack, caret_line_default);
    set_editor_font(record, control, "Courier New", 10, -1);
    set_tabs(control, 2, 1);
    set_style_font(record, control, style::keyword, "", -1, font_bold);
    set_style_colours(control, style::keyword, 0xFF0000, -1);
    set_style_font(record, control, style::comment, "", -1, font_italic);
    set_style_colours(control, style::comment, 0x006400, -1);
    // Placeholders until the colour scheme is applied.
    set_style_colours(control, style::string, 0x808080, -1);
    set_style_colours(control, style::number, 0x0000FF, -1);
    set_style_colours(control, style::spare, fixed_style_5_colour, -1);
    set_style_colours(control, style::spare_keyword, 0xFF0000, -1);
    set_style_colours(control, style::name, 0x00FF00, -1);
    add_delimiter(record, control, "'", "", word_to_line_end, style::comment, true);
    add_delimiter(record, control, "\"", "\"", word_paired, style::string, true);
    add_words(record, control, keyword_text, style::keyword, word_plain, true);
    record.keyword_keys.clear();
    for (std::size_t start = 0; start < keyword_text.size();) {
        std::size_t end = std::min(keyword_text.find(' ', start), keyword_text.size());
        if (end > start)
            record.keyword_keys.insert(word_key(keyword_text.substr(start, end - start), false));
        start = end + 1;
    }
    set_lexer_option(record, control, LexerOption::Separators, separators_of(record.syntax));
    set_lexer_option(record, control, LexerOption::NumberStyle, style::number);
    set_line_styler(record, control, style_program_line);
    set_tabs(control, 2, 1);
}

void apply_colour_scheme(EditorRecord& record, QsciScintillaBase* control,
                         const Settings& settings) {
    if (!control) return;
    auto colour = [&](ColourItem item) { return static_cast<long>(settings.colour(item)); };
    // Default back and fore reset every style, so they come first.
    set_colour(control, ColourKind::DefaultBack, colour(ColourItem::DefaultBack));
    set_colour(control, ColourKind::DefaultFore, colour(ColourItem::DefaultFore));
    set_colour(control, ColourKind::SelectionBack, colour(ColourItem::SelectedBack));
    set_colour(control, ColourKind::SelectionFore, colour(ColourItem::Selected));
    set_colour(control, ColourKind::LineNumberBack, colour(ColourItem::Margin));
    set_colour(control, ColourKind::LineNumberFore, colour(ColourItem::LineNumber));
    set_colour(control, ColourKind::CaretLineBack, colour(ColourItem::CaretBack));
    set_colour(control, ColourKind::Caret, colour(ColourItem::Caret));
    set_colour(control, ColourKind::CallTipBack, colour(ColourItem::CallTipBack));
    set_colour(control, ColourKind::CallTipFore, colour(ColourItem::CallTip));
    set_colour(control, ColourKind::BookmarkBack, colour(ColourItem::Margin));
    set_colour(control, ColourKind::BookmarkFore, colour(ColourItem::Bookmark));
    set_colour(control, ColourKind::FoldMargin, colour(ColourItem::Margin));
    set_colour(control, ColourKind::FoldMarginHighlight, colour(ColourItem::Margin));
    set_colour(control, ColourKind::FoldMarkerBack, colour(ColourItem::FoldmarkerBack));
    set_colour(control, ColourKind::FoldMarkerFore, colour(ColourItem::Margin));

    // Bold keywords and italic comments stay when colouring is off; only the colours go.
    const bool coloured = settings.options.colour == 1;
    auto fore = [&](ColourItem item) { return coloured ? colour(item) : 0L; };
    set_style_font(record, control, style::keyword, "", -1, font_bold);
    set_style_colours(control, style::keyword, fore(ColourItem::Keyword), -1);
    set_style_font(record, control, style::comment, "", -1, font_italic);
    set_style_colours(control, style::comment, fore(ColourItem::Comment), -1);
    set_style_colours(control, style::string, fore(ColourItem::String), -1);
    set_style_colours(control, style::number, fore(ColourItem::Number), -1);
    set_style_colours(control, style::spare, coloured ? fixed_style_5_colour : 0, -1);
    set_style_colours(control, style::spare_keyword, fore(ColourItem::Keyword), -1);
    set_style_colours(control, style::name, fore(ColourItem::Label), -1);

    sci_style_set_case(control, style::keyword,
                       settings.options.upper_case == 1 ? Sci::SC_CASE_UPPER : Sci::SC_CASE_MIXED);
    sci_set_whitespace_size(control, settings.options.whitespace_markers_size);
    set_margin_width(record, control, margin_bookmarks, bookmark_margin_width);
    set_editor_attribute(record, control, EditorAttribute::BookmarkSymbol, Sci::SC_MARK_ARROWS);
}

void set_colour(QsciScintillaBase* control, ColourKind kind, long colour) {
    if (!control) return;
    switch (kind) {
    case ColourKind::DefaultBack:
        sci_style_set_back(control, style::default_text, colour);
        sci_style_clear_all(control);
        break;
    case ColourKind::DefaultFore:
        sci_style_set_fore(control, style::default_text, colour);
        sci_style_clear_all(control);
        break;
    case ColourKind::SelectionBack:
        sci_set_sel_back(control, 1, colour);
        break;
    case ColourKind::SelectionFore:
        sci_set_sel_fore(control, 1, colour);
        break;
    case ColourKind::LineNumberBack:
        sci_style_set_back(control, style::line_number, colour);
        break;
    case ColourKind::LineNumberFore:
        sci_style_set_fore(control, style::line_number, colour);
        break;
    case ColourKind::CaretLineBack:
        if (colour == -1) {
            sci_set_caret_line_visible(control, 0);
        } else {
            sci_set_caret_line_back(control, colour);
            sci_set_caret_line_visible(control, 1);
        }
        break;
    case ColourKind::Caret:
        sci_set_caret_fore(control, colour);
        break;
    case ColourKind::CallTipBack:
        sci_style_set_back(control, style::call_tip, colour);
        break;
    case ColourKind::CallTipFore:
        sci_style_set_fore(control, style::call_tip, colour);
        break;
    case ColourKind::BookmarkBack:
        sci_marker_set_back(control, marker_bookmark, colour);
        break;
    case ColourKind::BookmarkFore:
        sci_marker_set_fore(control, marker_bookmark, colour);
        break;
    case ColourKind::FoldMargin:
        sci_set_fold_margin_colour(control, 1, colour);
        break;
    case ColourKind::FoldMarginHighlight:
        sci_set_fold_margin_hi_colour(control, 1, colour);
        break;
    case ColourKind::FoldMarkerBack:
        for (const FoldMarker& m : fold_markers) sci_marker_set_back(control, m.marker, colour);
        break;
    case ColourKind::FoldMarkerFore:
        for (const FoldMarker& m : fold_markers)
            if (m.white_fore) sci_marker_set_fore(control, m.marker, colour);
        break;
    }
}

void set_style_colours(QsciScintillaBase* control, int style, long fore, long back) {
    if (fore != -1) sci_style_set_fore(control, style, fore);
    if (back != -1) sci_style_set_back(control, style, back);
}

void set_style_font(EditorRecord& record, QsciScintillaBase* control, int style,
                    std::string_view font_name, int size, int flags) {
    if (!control) return;
    if (!font_name.empty()) {
        std::string name(font_name);
        sci_style_set_font(control, style, name.c_str());
    }
    const auto s = static_cast<unsigned long>(style);
    if (size != -1) sci_style_set_size(control, s, size);
    if (flags != -1) {
        sci_style_set_bold(control, s, (flags & font_bold) ? 1 : 0);
        sci_style_set_italic(control, s, (flags & font_italic) ? 1 : 0);
        sci_style_set_underline(control, s, (flags & font_underline) ? 1 : 0);
    }
    if (style == style::line_number) fit_line_number_margin(record, control);
}

void set_editor_font(EditorRecord& record, QsciScintillaBase* control, std::string_view font_name,
                     int size, int flags) {
    if (!control) return;
    set_style_font(record, control, style::default_text, font_name, size, flags);
    sci_style_clear_all(control);
    fit_line_number_margin(record, control);
}

void set_margin_width(const EditorRecord& record, QsciScintillaBase* control, int margin,
                      int width) {
    if (!control) return;
    if (margin == margin_line_numbers && (record.creation_flags & creation_fit_line_numbers))
        return;
    sci_set_margin_width(control, margin, width < 0 ? 0 : width);
}

void set_tabs(QsciScintillaBase* control, int width, int spaces) {
    sci_set_tab_width(control, width);
    sci_set_use_tabs(control, 1 - spaces);
}

void set_editor_attribute(EditorRecord& record, QsciScintillaBase* control, EditorAttribute kind,
                          int value) {
    if (!control) return;
    switch (kind) {
    case EditorAttribute::MarginSpacing:
        if (value >= 0 && value != record.margin_spacing) {
            record.margin_spacing = value;
            fit_line_number_margin(record, control);
        }
        break;
    case EditorAttribute::BookmarkSymbol:
        sci_marker_define(control, marker_bookmark, value);
        break;
    }
}

void set_lexer_option(EditorRecord& record, QsciScintillaBase* control, LexerOption kind,
                      std::string_view value) {
    if (!control || kind != LexerOption::Separators || value == record.separators) return;
    set_separators(record, value);
    recolour_all(record, control);
}

void set_lexer_option(EditorRecord& record, QsciScintillaBase* control, LexerOption kind,
                      int value) {
    if (!control || kind != LexerOption::NumberStyle || value == record.number_style) return;
    record.number_style = value;
    recolour_all(record, control);
}

void fit_line_number_margin(const EditorRecord& record, QsciScintillaBase* control) {
    if (!control || !(record.creation_flags & creation_fit_line_numbers)) return;
    // Without the numbers the margin would stay as an empty coloured strip.
    if (sci_margin_type(control, margin_line_numbers) != Sci::SC_MARGIN_NUMBER) {
        sci_set_margin_width(control, margin_line_numbers, 0);
        return;
    }
    const std::string nines(std::to_string(sci_line_count(control)).size(), '9');
    const int width =
        sci_text_width(control, style::line_number, nines.c_str()) + record.margin_spacing + 10;
    sci_set_margin_width(control, margin_line_numbers, width);
}
