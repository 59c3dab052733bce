// Reading a program's names statement by statement: every declaration, set and use, and the
// warnings found on the way. The variable report sorts and formats what it finds.
#pragma once

#include "tools/variable_report.h"

#include <string_view>

namespace report {

// The names in the order they were met and the warnings in line order, each text once.
VariableReport read_program_names(std::string_view text, std::string_view keywords);

} // namespace report
