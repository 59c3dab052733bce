// Start-up of the editor: folders, files read at start, settings, main window, first documents.
#pragma once

#include "app/hand_over.h"
#include "ui/requesters.h"

#include <memory>
#include <string>
#include <vector>

struct App;

// What start-up takes from the system; tests fill it with their own folders.
struct StartupEnvironment {
    std::string executable_path;
    std::vector<std::string> arguments; // without the program's own path
    std::string app_data_folder;        // per-user application data, ending in '/'
    std::string documents_folder;       // the user's documents, ending in '/'
    std::string os_name;
    int os_major = 0;
    int os_minor = 0;
};

StartupEnvironment system_environment(const std::vector<std::string>& arguments);

// Builds and shows a running editor. `requesters` answers every dialog.
std::unique_ptr<App> start_app(const StartupEnvironment& environment,
                               std::unique_ptr<Requesters> requesters);

// The receiving side of the hand-over: show, restore and raise the window, open the list, and
// answer the sender. While a dialog is open the list waits; an ending instance refuses it.
void receive_hand_over(App& app, const std::string& list, const HandOverReply& reply = {});
