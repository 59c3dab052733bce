// Creating and configuring the editing control: styles, colour scheme, margins and markers.
#pragma once

#include "base/settings.h"
#include "editor/editor_record.h"
#include "editor/marks.h"

#include <string_view>

class EditorWidget;
class QWidget;
class QsciScintillaBase;

// The colour items `set_colour` applies.
enum class ColourKind : int {
    DefaultBack = 1, // ends with SCI_STYLECLEARALL
    DefaultFore = 2, // ends with SCI_STYLECLEARALL
    SelectionBack = 3,
    SelectionFore = 4,
    LineNumberBack = 5,
    LineNumberFore = 6,
    CaretLineBack = 7, // -1 hides the caret line
    Caret = 8,
    CallTipBack = 9,
    CallTipFore = 10,
    BookmarkBack = 12,
    BookmarkFore = 13,
    FoldMargin = 15,
    FoldMarginHighlight = 16,
    FoldMarkerBack = 17,
    FoldMarkerFore = 18,
};

enum class EditorAttribute : int { MarginSpacing = 2, BookmarkSymbol = 7 };
enum class LexerOption : int { Separators = 1, NumberStyle = 2 };

// Font flags of `set_style_font`; -1 leaves bold, italic and underline alone.
constexpr int font_bold = 256;
constexpr int font_italic = 512;
constexpr int font_underline = 4;

// Creates the control with the record's initial state and connects its notifications to
// `handle_notification`. The record must outlive the control. Returns null on failure.
EditorWidget* create_editor(EditorRecord& record, QWidget* parent, int x, int y, int width,
                            int height, int creation_flags);

// The fixed set-up after creation: the line styler, fonts, tabs, delimiters, the keywords
// (blank-separated 8-bit text) with style 1, the separators and the number style.
void configure_editor(EditorRecord& record, QsciScintillaBase* control,
                      std::string_view keyword_text);

// The colours and display options of the settings, in an order that survives the style resets.
void apply_colour_scheme(EditorRecord& record, QsciScintillaBase* control,
                         const Settings& settings);

void set_colour(QsciScintillaBase* control, ColourKind kind, long colour);
// Each of fore and back only when not -1.
void set_style_colours(QsciScintillaBase* control, int style, long fore, long back);
// The name when not empty, the size when not -1, the flags when not -1.
void set_style_font(EditorRecord& record, QsciScintillaBase* control, int style,
                    std::string_view font_name, int size, int flags);
// The default style's font, then every style reset to it.
void set_editor_font(EditorRecord& record, QsciScintillaBase* control, std::string_view font_name,
                     int size, int flags);
// Negative widths become 0; margin 0 is left alone while it is fitted automatically.
void set_margin_width(const EditorRecord& record, QsciScintillaBase* control, int margin,
                      int width);
void set_tabs(QsciScintillaBase* control, int width, int spaces);
void set_editor_attribute(EditorRecord& record, QsciScintillaBase* control, EditorAttribute kind,
                          int value);
// Separators take text, the number style a number; each recolours the whole text on a change.
void set_lexer_option(EditorRecord& record, QsciScintillaBase* control, LexerOption kind,
                      std::string_view value);
void set_lexer_option(EditorRecord& record, QsciScintillaBase* control, LexerOption kind,
                      int value);
// Margin 0 as wide as the line count's digits plus the spacing and 10 pixels.
void fit_line_number_margin(const EditorRecord& record, QsciScintillaBase* control);
