// The analysis in the running editor: run after an edit settles (never on the key itself),
// problems underlined with their message as a tooltip and in the status bar, and a panel that
// lists problems or uses, each row a place to jump to.
#pragma once

#include "analysis/analysis.h"

#include <string>
#include <vector>

class EditorWidget;
class QLabel;
class QListWidget;
class QMainWindow;
class QTimer;
struct AnalysisContext;

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

// Makes the analysis's timer, its count in the window's status bar and its panel in the
// window's central widget (hidden), and connects the problem marks' tooltips and status
// messages to the editor. The caller adds the panel to the window's bottom panels and runs the
// analysis when the timer fires.
void build_analysis_view(AnalysisState& state, QMainWindow* window, EditorWidget* editor);
// Called on every change of the text: restarts the idle delay.
void schedule_analysis(AnalysisState& state);
// Analyses the current document now and shows the result.
void run_analysis(const AnalysisContext& context);
// The result for the current text, analysed first when an edit is pending.
const ProgramAnalysis& current_analysis(const AnalysisContext& context);

// Goes to a place of the analysis: in the editor, or in an include file opened for it. The
// jump can be undone with "Return from Sub/Function". The place is taken by value: opening the
// file may analyse again, replacing the result it came from.
void go_to_span(const AnalysisContext& context, const ProgramAnalysis& analysis, SourceSpan at);
// The same for a place in the file at `path` (empty: the current document).
void go_to_place(const AnalysisContext& context, std::string path, SourceSpan at);
// Fills the panel: the problems, or the places of a name.
void list_problems(const AnalysisContext& context);
void list_spans(const AnalysisContext& context, const ProgramAnalysis& analysis,
                const std::vector<SourceSpan>& spans);
// Goes to the place of a row of the panel.
void go_to_panel_row(const AnalysisContext& context, int row);
// Fills the label list with the outline of the current document's program.
void show_outline(const AnalysisContext& context);
// Goes to the place of a row of that outline.
void go_to_outline_row(const AnalysisContext& context, int row);
