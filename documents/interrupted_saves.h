// Safety copies that a save killed halfway left beside its file: offered at start-up like the
// recovery files, so the text the file had before that save is not lost.
#pragma once

struct Workspace;

// Start-up, after the first documents: looks beside the open and recent files for safety
// copies of saves whose process is gone, and offers them in one dialog (name, time, size).
// Recover opens each as an unsaved document for its file; Discard deletes them.
void offer_interrupted_saves(Workspace& ws);
