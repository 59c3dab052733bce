// Keeping the unsaved text of modified documents in recovery files, and offering those a run
// that ended abnormally left behind.
#pragma once

#include <string>

struct App;
class QObject;
class QTimer;

struct RecoveryState {
    QTimer* timer = nullptr; // keeps the shown document's unsaved text once typing pauses
    long serial = 0;         // numbers the recovery files of this run
};

// How long typing must pause before the shown document's text is kept.
inline constexpr int recovery_delay_ms = 2000;

// The folder of the recovery files, ending in '/'.
std::string recovery_folder(const App& app);
// Makes the pause timer, owned by `owner`.
void build_recovery_timer(App& app, QObject* owner);
// The shown document's text changed: (re)starts the pause timer. Cheap enough for every key.
void note_change_for_recovery(App& app);
// Writes the shown document's recovery file now if it is modified, or removes it if not. Also
// done before another document is shown, so a pause cut short by switching still counts.
void keep_recovery_now(App& app);
// Before another document is shown: a pause still running is cut short and the text kept.
void keep_pending_recovery(App& app);
// Removes the recovery file of the document at `index` (saved, closed, back at its save point).
void forget_recovery(App& app, int index);
// Removes every recovery file of this run (normal end).
void forget_all_recovery(App& app);
// Start-up: offers the recovery files of runs that ended abnormally in one dialog.
void offer_recovery(App& app);
