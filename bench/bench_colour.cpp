// Benchmark: colouring a whole generated program, against Scintilla's built-in VB lexer.
#include "program_generator.h"
#include "timing.h"

#include "app/settings.h"
#include "editor/editor_config.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/text_conversion.h"

#include <memory>
#include <string>

namespace {

// A keyword list of the usual size: commands, functions and operators of the language.
constexpr const char* keywords =
    "PRINT INPUT IF THEN ELSE ELSEIF ENDIF END FOR TO STEP NEXT DO LOOP WHILE WEND UNTIL SUB "
    "FUNCTION EXIT GOTO GOSUB RETURN DIM LOCAL AS INTEGER FLOAT STRING CONST AND OR NOT MOD XOR "
    "PAUSE CLS LET ON OPEN CLOSE READ DATA RESTORE RANDOMIZE SETPIN PIN SIN COS TAN ATN ABS INT "
    "SQR LOG EXP RND LEFT$ RIGHT$ MID$ LEN VAL STR$ CHR$ ASC HEX$ OCT$ BIN$ INSTR UCASE$ LCASE$ "
    "SPACE$ STRING$ TIMER TIME$ DATE$ INKEY$ LINE CIRCLE PIXEL BOX TEXT FONT COLOUR COLOR MODE "
    "OPTION EXPLICIT DEFAULT BASE ERASE SELECT CASE IS CALL CHAIN RUN NEW LIST EDIT SAVE LOAD "
    "FILES KILL MKDIR RMDIR CHDIR COPY RENAME SERIAL I2C SPI PWM SERVO SOUND PLAY TONE BEEP "
    "IRETURN SETTICK WATCHDOG CPU SLEEP TRACE ERROR MEMORY CONTINUE LOC LOF EOF CWD$ DIR$ "
    "FORMAT$ FIX CINT PEEK POKE VAR FIELD$ MAX MIN PI DEG RAD ? @";

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

double colour_ms(QsciScintillaBase* control) {
    return best_ms(5, [&] { sci_send(control, Sci::SCI_COLOURISE, 0, -1); });
}

} // namespace

std::string bench_colour_full() {
    const std::string text = bytes_to_utf8(generate_program(1500 * 1000, 1));
    Settings settings;

    EditorRecord record;
    std::unique_ptr<EditorWidget> editor(
        create_editor(record, nullptr, 0, 0, 800, 600, creation_fit_line_numbers));
    configure_editor(record, editor.get(), keywords);
    apply_colour_scheme(record, editor.get(), settings);
    sci_set_text(editor.get(), text);
    const double ms = colour_ms(editor.get());

    // The reference: the same kind of control with the built-in lexer, folding included.
    std::unique_ptr<EditorWidget> reference(new EditorWidget(nullptr));
    QsciScintillaBase* r = reference.get();
    sci_send(r, Sci::SCI_SETCODEPAGE, Sci::SC_CP_UTF8);
    sci_send(r, Sci::SCI_SETLEXER, Sci::SCLEX_VB);
    const std::string words = lower(keywords);
    sci_send_text(r, Sci::SCI_SETKEYWORDS, 0, words.c_str());
    r->SendScintilla(Sci::SCI_SETPROPERTY, "fold", "1");
    sci_set_text(r, text);
    const double reference_ms = colour_ms(r);

    return bench_line("colour_full", ms, reference_ms);
}
