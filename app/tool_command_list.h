// The tools' commands bound to the running application.
#pragma once

struct App;
struct ProgramContext;

// The current program of `app` as the Program menu's tools work on it.
ProgramContext program_context(App& app);
