// How the statements of one line open and close blocks when Format reads the program as the
// boards do: END IF, SELECT CASE, TYPE, IF ... THEN with only a comment after THEN.
#pragma once

#include <string_view>

struct FormatState;

// Applies the statements of a line's code part (comment already removed) in order: split at
// colons outside strings, up to a REM statement. Returns the level the line stands at: the
// outermost level of its statements ("CASE 1: x = 1" stands with its CASE, "x = 1: ENDIF" with
// its ENDIF), the current level for a line without statements.
int apply_board_code(std::string_view code, FormatState& state);

// Whether the line's first statement is END SUB or END FUNCTION (which stand at the margin).
bool is_end_of_routine(std::string_view line);
