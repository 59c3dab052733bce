// The program's line styler: colours a line token by token, learns names and counts fold depth.
#pragma once

#include "editor/editor_record.h"

#include <string>
#include <string_view>

// Colours one line of the editor's UTF-8 text (line end included), appending one style per
// byte to `styles`. Sets the record's fold delta: SUB and FUNCTION open a fold, END SUB and
// END FUNCTION close it. Labels, and a SUB or FUNCTION header when the rescan flag is set, are
// registered as names (style 7) and reported through `on_name_learnt`. Returns 0.
int style_program_line(EditorRecord& record, std::string_view line, std::string& styles);

// Registers a learnt name (8-bit text): the name itself, and for a label also "name:".
void learn_name(EditorRecord& record, std::string_view name, bool label);
