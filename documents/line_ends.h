// A document's line ends: the kind it was read with, and converting text to a kind.
#pragma once

#include <string>
#include <string_view>

enum class LineEnd { crlf, lf, cr };

// The kind of the first line end of `text`; `fallback` when it has none.
LineEnd detect_line_end(std::string_view text, LineEnd fallback);
// The kind a "Line_endings_Mode" value asks for: 0 is CR LF, every other value LF.
LineEnd line_end_of_mode(int mode);
// The bytes of one line end.
std::string_view line_end_text(LineEnd kind);
// Scintilla's end-of-line mode for the kind (SC_EOL_CRLF, SC_EOL_CR or SC_EOL_LF).
int scintilla_eol_mode(LineEnd kind);
// `text` with every line end (CR LF, LF or a lone CR) made `kind`.
std::string with_line_ends(std::string_view text, LineEnd kind);
