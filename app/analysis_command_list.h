// The analysis bound to the running application: its commands, its widgets in the window and
// the editor's events that drive it.
#pragma once

struct App;
struct AnalysisContext;

// The analysis's state, the editor, the current document and the label list of `app`, with
// the window's part: opening and showing documents, jumping, placing the panel. The analysis
// must be installed.
AnalysisContext analysis_context(App& app);

// Makes the analysis's state and widgets, runs it once an edit settles, connects its panel,
// Ctrl+click and the label list's outline; run once the editor area is built.
void install_analysis(App& app);
