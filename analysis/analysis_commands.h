// The commands of the analysis: go to definition, find all uses, the problems panel and rename.
#pragma once

#include <functional>

class EditorWidget;
struct AnalysisContext;

void go_to_definition(const AnalysisContext& context);
void find_all_uses(const AnalysisContext& context);
void show_problems(const AnalysisContext& context);
// Asks for a new name for the name at the caret and changes every use of it, in the program
// and its include files, each file one undo step.
void rename_name(const AnalysisContext& context);

// Ctrl+click on a name in `editor` puts the caret there and runs `go_to_definition` instead of
// the control's own handling of the click.
void install_ctrl_click(EditorWidget* editor, std::function<void()> go_to_definition);
