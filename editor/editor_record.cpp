// The editor record's separator set.
#include "editor/editor_record.h"

void set_separators(EditorRecord& record, std::string_view separators) {
    record.separators = std::string(separators);
    record.separator_bytes = EditorRecord::initial_separator_bytes();
    for (char c : separators) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x80) record.separator_bytes[b] = true;
    }
}
