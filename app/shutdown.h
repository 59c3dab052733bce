// The shutdown sequence: record and close every document, then write the settings.
#pragma once

struct App;

// Returns false when the user kept a document open (its save did not happen); the program
// then goes on running with the documents not yet closed and the settings unwritten.
bool shut_down(App& app);
