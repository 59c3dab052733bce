// Running the program transformations on the current document.
#include "tools/transform_commands.h"

void remove_indents(App&) {}
void format_document(App&) {}
