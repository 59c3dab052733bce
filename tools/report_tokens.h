// The words and tokens of one statement line as the variable report reads them: the built-in
// words that are never names, and words (type suffix included), numbers, strings and single
// symbols. Comments are cut off before.
#pragma once

#include "base/ascii.h"

#include <string>
#include <string_view>
#include <vector>

namespace report {

// The statements and functions the report must not take for names, beyond the given keywords.
inline constexpr std::string_view built_in_words =
    "PRINT IF THEN ELSE ELSEIF ENDIF END FOR TO STEP NEXT DO LOOP WHILE UNTIL WEND GOTO GOSUB "
    "RETURN SUB FUNCTION DIM LOCAL STATIC CONST AS INTEGER FLOAT STRING LET INPUT LINE READ DATA "
    "RESTORE OPTION EXPLICIT DEFAULT BASE ON ERROR CLS PAUSE AND OR NOT XOR MOD SELECT CASE IS "
    "EXIT CALL OPEN CLOSE OUTPUT APPEND RANDOM RUN LIST NEW REM TIMER PIN SETPIN SETTICK "
    "INTERRUPT IRETURN ABS ASC ATN BIN$ CHR$ COS EXP FIX HEX$ INSTR INT LCASE$ LEFT$ LEN LOG MID$ "
    "OCT$ RIGHT$ RND SGN SIN SPACE$ SQR STR$ STRING$ TAN UCASE$ VAL PI DATE$ TIME$ INKEY$ EOF "
    "LOC LOF CIRCLE BOX LINE PIXEL TEXT COLOUR COLOR FONT MODE KEY ERASE CLEAR TAB SPC INC MAX "
    "MIN NONE SKIP ";

// Named arguments and constants of the built-in commands: colours, text alignment, display
// orientation, pin modes. They are no variables unless the program sets or declares them.
inline constexpr std::string_view built_in_constants =
    "BLACK BLUE GREEN CYAN RED MAGENTA YELLOW WHITE BROWN GRAY GREY ORANGE PINK GOLD SALMON BEIGE "
    "LIGHTGRAY LIGHTGREY MYRTLE COBALT MIDGREEN CERULEAN RUST FUCHSIA NOTBLACK LT LM LB CT CM CB "
    "RT RM RB LANDSCAPE PORTRAIT RLANDSCAPE RPORTRAIT DIN DOUT AIN FIN PER CIN INTH INTL INTB "
    "PULLUP PULLDOWN OC ON OFF OUTPUT INPUT APPEND RANDOM ";

enum class TokenKind { word, number, string, symbol };

struct Token {
    TokenKind kind;
    std::string_view text;
};

// Replaces `out` with the tokens of `code`; blanks and TABs only separate them.
void tokenize(std::string_view code, std::vector<Token>& out);

// "INTEGER", "STRING" or "FLOAT" for a name ending in "%", "$" or "!"; empty otherwise.
std::string type_of_suffix(std::string_view name);

// Pin names of the boards: GP0, GP1, ... (given in capitals).
bool is_pin_name(std::string_view upper);

} // namespace report
