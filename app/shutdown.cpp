// Closing every document in tab order while recording the open-file list, then saving settings.
#include "app/shutdown.h"

#include "app/app.h"
#include "app/shell_files.h"
#include "documents/document_commands.h"
#include "documents/recent_commands.h"
#include "documents/recovery.h"
#include "tools/saving.h"

bool shut_down(App& app) {
    std::string recorded;
    const int count = app.documents.count();
    int closed = 0;
    for (; closed < count; ++closed) {
        // An untitled document saved on the way out is recorded under its new name, so the
        // next start opens the program that was just saved.
        std::optional<std::string> path = close_document_for_exit(app, closed);
        if (!path) break;
        recorded += *path;
        recorded += '\n';
    }
    // The closed ones go at once: one by one would cost time in proportion to the square of
    // their number.
    remove_first_documents(app, closed);
    if (closed < count) return false;
    app.open_file_list = recorded;
    // A normal end: every text was saved or given up (the last close made a fresh document).
    forget_all_recovery(app);
    save_settings_file(app);
    save_view_state(app);
    return true;
}
