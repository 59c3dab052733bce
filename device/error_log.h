// The Error Log window: the errors the board reported in this session, newest last; a click
// jumps to the line.
#pragma once

class DeviceSession;
class QListWidget;

// Shows (or raises) the window over the session's window, filled from the session's errors.
void show_error_log(DeviceSession& session);
// The window's list, when it is open; for tests.
QListWidget* error_log_list(const DeviceSession& session);
