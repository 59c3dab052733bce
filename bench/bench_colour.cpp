// Benchmark: colouring a whole generated program, against Scintilla's built-in VB lexer.
#include "program_generator.h"
#include "timing.h"

#include "base/ascii.h"
#include "base/settings.h"
#include "base/text_conversion.h"
#include "documents/name_scan.h"
#include "editor/colouring.h"
#include "editor/editor_config.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"

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

// Best of five full recolourings (SCI_COLOURISE over the whole text); -1 when the colouring
// did not reach the end of the text.
double colour_ms(QsciScintillaBase* control) {
    const double ms = best_ms(5, [&] { sci_send(control, Sci::SCI_COLOURISE, 0, -1); });
    return sci_end_styled(control) == sci_length(control) ? ms : -1;
}

} // namespace

std::string bench_colour_full() {
    const std::string program = generate_program(1500 * 1000, 1);
    const std::string text = bytes_to_utf8(program);
    Settings settings;

    // Our container lexer, set up as the program does after opening a file: keywords, then the
    // program's names registered without recolouring.
    // The rules new users read by ("Maximite Syntax").
    EditorRecord record;
    record.syntax = settings.maximite_syntax != 0 ? Syntax::maximite : Syntax::alternate;
    std::unique_ptr<EditorWidget> editor(
        create_editor(record, nullptr, 0, 0, 800, 600, creation_fit_line_numbers));
    configure_editor(record, editor.get(), keywords);
    apply_colour_scheme(record, editor.get(), settings);
    sci_set_text(editor.get(), text);
    add_words(record, editor.get(), scan_names_text(program).found, style::name, word_plain, false);
    const double ms = colour_ms(editor.get());

    // The reference: an identical control with Scintilla's built-in VB lexer, folding included.
    EditorRecord reference_record;
    std::unique_ptr<EditorWidget> reference(
        create_editor(reference_record, nullptr, 0, 0, 800, 600, creation_fit_line_numbers));
    QsciScintillaBase* r = reference.get();
    apply_colour_scheme(reference_record, r, settings);
    sci_send(r, Sci::SCI_SETLEXER, Sci::SCLEX_VB);
    const std::string words = lower_text(keywords);
    sci_send_text(r, Sci::SCI_SETKEYWORDS, 0, words.c_str());
    r->SendScintilla(Sci::SCI_SETPROPERTY, "fold", "1");
    sci_set_text(r, text);
    const double reference_ms = colour_ms(r);

    if (ms < 0 || reference_ms < 0) return "colour_full: the text was not coloured to its end";
    return bench_line("colour_full", ms, reference_ms);
}
