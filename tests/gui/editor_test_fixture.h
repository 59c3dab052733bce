// A configured editing control for the editor tests, with helpers to read styles and folds.
#pragma once

#include "base/settings.h"
#include "editor/colouring.h"
#include "editor/editor_config.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

// Keywords of the language as the tests use them (one-character "?" included on purpose).
inline constexpr const char* test_keywords =
    "PRINT INPUT IF THEN ELSE ELSEIF ENDIF END FOR TO STEP NEXT DO LOOP WHILE WEND UNTIL SUB "
    "FUNCTION EXIT GOTO GOSUB RETURN DIM LOCAL AS INTEGER FLOAT STRING CONST AND OR NOT MOD "
    "PAUSE CLS ?";

class EditorTest : public ::testing::Test {
  protected:
    void SetUp() override { make_editor(); }
    // A new control with a new record, configured as the program does.
    void make_editor() {
        editor.reset();
        record = EditorRecord{};
        editor.reset(create_editor(record, nullptr, 0, 0, 700, 500, creation_fit_line_numbers));
        ASSERT_NE(editor, nullptr);
        configure_editor(record, control(), test_keywords);
        apply_colour_scheme(record, control(), settings);
        QObject::connect(editor.get(), &EditorWidget::ui_updated, [this](int) { ++status_calls; });
    }
    void TearDown() override { editor.reset(); }

    QsciScintillaBase* control() { return editor.get(); }

    void show() {
        editor->show();
        QApplication::processEvents();
    }
    // Paints the control, which asks for the colouring of what it shows.
    void paint() {
        editor->viewport()->repaint();
        QApplication::processEvents();
    }
    void set_text(std::string_view utf8) { sci_set_text(control(), utf8); }
    // Colours everything the way a full recolouring does.
    void colour_all() { sci_send(control(), Sci::SCI_COLOURISE, 0, -1); }

    std::vector<int> styles() {
        std::vector<int> result;
        const SciPos length = sci_length(control());
        for (SciPos p = 0; p < length; ++p) result.push_back(sci_style_at(control(), p));
        return result;
    }
    // The text with "{style}" where the style changes; "{" in the text is written "{{".
    std::string marked() {
        std::string text = sci_text(control()), out;
        int current = -1;
        for (std::size_t i = 0; i < text.size(); ++i) {
            int s = sci_style_at(control(), static_cast<SciPos>(i));
            if (s != current) out += "{" + std::to_string(s) + "}";
            current = s;
            out += text[i];
            if (text[i] == '{') out += '{';
        }
        return out;
    }
    int level(SciLine line) { return sci_fold_level(control(), line); }
    // The line's text without its line end.
    std::string line_text(SciLine line) {
        return sci_text_range(control(), sci_position_from_line(control(), line),
                              sci_line_end_position(control(), line));
    }

    EditorRecord record;
    Settings settings;
    std::unique_ptr<EditorWidget> editor;
    int status_calls = 0;
};
