// The About box: version, OS version and the folders in use.
#pragma once

struct App;

void show_about(App& app);
