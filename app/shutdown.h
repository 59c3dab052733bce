// The shutdown sequence: record and close every document, then write the settings.
#pragma once

struct App;

// Returns false when the user cancelled or a chosen save did not happen; the program then goes
// on running with every document still open and the settings unwritten.
bool shut_down(App& app);
