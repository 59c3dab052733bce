// The Program menu's commands for line numbers, blank lines and comments.
#pragma once

struct ProgramContext;

void remove_line_numbers_command(const ProgramContext& context);
void add_line_numbers_command(const ProgramContext& context);
void remove_blank_lines_command(const ProgramContext& context);
void remove_comments_command(const ProgramContext& context);
