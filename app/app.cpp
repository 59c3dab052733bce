// The application object's lifetime: widgets go before the records they point into.
#include "app/app.h"

#include "analysis/analysis_view.h"

#include "app/main_window.h"
#include "boardfiles/board_files.h"
#include "device/device_session.h"
#include "editor/editor_accessibility.h"
#include "editor/editor_record.h"
#include "find/find_state.h"
#include "help/help_state.h"

App::App()
    : accessibility(std::make_unique<EditorAccessibility>()),
      editor_record(std::make_unique<EditorRecord>()), find(std::make_unique<FindState>()),
      help(std::make_unique<HelpState>()) {}

App::~App() {
    // The editor's notifications reach the editor record, so the window goes first.
    window.reset();
    board_files.reset(); // it works over the device's link
    device.reset(); // its widgets went with the window
}
