// The whole-program commands of the Program menu.
#pragma once

struct App;

void remove_indents(App& app);
void format_document(App& app);
