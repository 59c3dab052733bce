// Shows the About box, built from the current values each time.
#include "app/about.h"

#include "app/about_text.h"
#include "app/app.h"

void show_about(App& app) {
    AboutValues values;
    values.version = app.identity.version;
    values.os_version = app.identity.os_version;
    values.program_folder = app.folders.program;
    values.data_folder = app.folders.data;
    values.current_folder = app.folders.current;
    values.include_folder = app.folders.include;
    app.requesters->message(app.identity.executable_name, about_text(values), Buttons::Ok);
}
