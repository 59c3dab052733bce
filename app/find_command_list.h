// Find/Replace and Find Sub/Function bound to the running application.
#pragma once

struct App;
struct FindContext;

// The editor and find state of `app`, with the window's part in finding: making the bar,
// placing it, and collecting the names again after Replace All.
FindContext find_context(App& app);
