// The application object's lifetime: widgets go before the records they point into.
#include "app/app.h"

#include "analysis/analysis_view.h"

#include "app/main_window.h"
#include "app/view_commands.h"
#include "boardfiles/board_files.h"
#include "device/device_session.h"
#include "find/find_state.h"
#include "help/help_state.h"

App::App() : find(std::make_unique<FindState>()), help(std::make_unique<HelpState>()) {
    // The view options and the line-end items live with the menus, which the documents do not
    // know: they ask for them through their events.
    QObject::connect(&document_events, &DocumentEvents::view_options_wanted,
                     [this]() { apply_view_options(*this); });
    QObject::connect(&document_events, &DocumentEvents::line_end_changed,
                     [this]() { show_document_line_end(*this); });
}

App::~App() {
    // The editor's notifications reach the editor record, so the window goes first.
    main_window = nullptr;
    window.reset();
    board_files.reset(); // it works over the device's link
    device.reset();      // its widgets went with the window
}
