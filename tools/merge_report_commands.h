// Merge and the variable report as commands: each makes a new document from the current one.
#pragma once

struct Workspace;

// Program > Merge: the program with its included files, as "<name>-merged.bas", not yet saved.
void merge_command(Workspace& ws);
// Program > Display Variable report: a read-only document beside the program.
void variable_report_command(Workspace& ws);
// A double click at `position` of the editor: in a report, a line number goes to that line of
// the program the report describes.
void report_double_clicked(Workspace& ws, long position);
