// Generated BASIC programs of realistic shape for the benchmarks.
#pragma once

#include <cstddef>
#include <string>

// An 8-bit program text of about `target_bytes` with CR LF line ends: SUBs and FUNCTIONs with
// nested IF/FOR/DO/WHILE blocks, labels, comments, strings (some with colons and apostrophes),
// numbers, numbered lines and a few bytes above 0x7F (marked "' ignore: BADCHAR"). It is
// well-formed: its analysis finds no problem, only true hints. At 1.5 MB it has about 45,000 lines
// and about 3,000 SUB, FUNCTION and label names. The same seed always gives the same text.
std::string generate_program(std::size_t target_bytes, unsigned seed);
