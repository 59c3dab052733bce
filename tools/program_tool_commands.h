// The Program menu's commands for line numbers, blank lines and comments, Merge and the
// variable report.
#pragma once

struct App;

void remove_line_numbers_command(App& app);
void add_line_numbers_command(App& app);
void remove_blank_lines_command(App& app);
void remove_comments_command(App& app);
