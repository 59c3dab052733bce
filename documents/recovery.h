// Keeping the unsaved text of modified documents in recovery files, and offering those a run
// that ended abnormally left behind.
#pragma once

#include <string>

struct Folders;
struct Workspace;
class QObject;
class QTimer;

// How long typing must pause before the shown document's text is kept.
inline constexpr int recovery_delay_ms = 2000;
// The longest typing without pause goes before the text is kept all the same.
inline constexpr int recovery_longest_ms = 10000;

struct RecoveryState {
    QTimer* timer = nullptr;         // keeps the shown document's unsaved text once typing pauses
    QTimer* longest_timer = nullptr; // ... or once it has changed for recovery_longest_ms
    long serial = 0;                 // numbers the recovery files of this run
};

// The folder of the recovery files, ending in '/'.
std::string recovery_folder(const Folders& folders);
// Makes the two timers, owned by `owner`.
void build_recovery_timer(Workspace& ws, QObject* owner);
// The shown document's text changed: (re)starts the pause timer, and starts the longest-wait
// timer unless it runs already. Cheap enough for every key.
void note_change_for_recovery(Workspace& ws);
// Writes the shown document's recovery file now if it is modified, or removes it if not. Also
// done before another document is shown, so a pause cut short by switching still counts.
// False when the text could not be kept.
bool keep_recovery_now(Workspace& ws);
// Makes the folder of the recovery files, for this user's eyes only; false when it cannot be.
bool prepare_recovery_folder(const Folders& folders);
// Before another document is shown: a pause still running is cut short and the text kept.
void keep_pending_recovery(Workspace& ws);
// Removes the recovery file of the document at `index` (saved, closed, back at its save point).
void forget_recovery(Workspace& ws, int index);
// Removes every recovery file of this run (normal end).
void forget_all_recovery(Workspace& ws);
// Start-up: offers the recovery files of runs that ended abnormally in one dialog.
void offer_recovery(Workspace& ws);
