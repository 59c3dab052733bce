// The device session bound to the running application.
#pragma once

class DeviceSession;
struct App;
struct DeviceContext;

// The records and widgets of `app` the session works with, and the window's part: placing the
// console below the editor and showing the documents the board's errors point into.
DeviceContext device_context(App& app);
// The session of `app`, made when first asked for.
DeviceSession& device_session(App& app);
