// The analysis in the running editor: run after an edit settles (never on the key itself),
// problems underlined with their message as a tooltip and in the status bar, and a panel that
// lists problems or uses, each row a place to jump to.
#pragma once

#include "analysis/analysis.h"

#include <string>
#include <vector>

struct App;
class QLabel;
class QListWidget;
class QTimer;

struct AnalysisState {
    QTimer* timer = nullptr;
    ProgramAnalysis result;
    AnalysisCache cache; // the lines of the last analysis: only changed lines are read again
    bool stale = true;
    int document = -1;            // the document the result was made from
    QLabel* count = nullptr;      // "2 problems" in the status bar
    QListWidget* panel = nullptr; // problems or uses, below the editor
    std::vector<SourceSpan> rows; // where each row of the panel goes
    std::vector<std::string> row_paths;
    std::vector<SourceSpan> outline_rows; // where each row of the label list's outline goes
    std::vector<std::string> outline_paths;
};

// How long an edit must rest before the program is analysed again.
constexpr int analysis_idle_ms = 400;

void install_analysis(App& app);
// Ctrl+click on a name: go to its definition.
void install_ctrl_click(App& app);
// Called on every change of the text: restarts the idle delay.
void schedule_analysis(App& app);
// Analyses the current document now and shows the result.
void run_analysis(App& app);
// The result for the current text, analysed first when an edit is pending.
const ProgramAnalysis& current_analysis(App& app);

// Goes to a place of the analysis: in the editor, or in an include file opened for it. The
// jump can be undone with "Return from Sub/Function".
void go_to_span(App& app, const ProgramAnalysis& analysis, const SourceSpan& at);
// The same for a place in the file at `path` (empty: the current document).
void go_to_place(App& app, const std::string& path, const SourceSpan& at);
// Fills the panel: the problems, or the places of a name.
void list_problems(App& app);
void list_spans(App& app, const ProgramAnalysis& analysis, const std::vector<SourceSpan>& spans);
// Fills the label list with the outline of the current document's program.
void show_outline(App& app);
// Goes to the place of a row of that outline.
void go_to_outline_row(App& app, int row);
