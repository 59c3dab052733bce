// Closing every document in tab order while recording the open-file list, then saving settings.
#include "app/shutdown.h"

#include "app/app.h"
#include "app/shell_files.h"
#include "documents/document_commands.h"
#include "documents/recent_commands.h"
#include "documents/recovery.h"
#include "documents/saving.h"

bool shut_down(App& app) {
    std::string recorded;
    const int count = app.documents.count();
    // Every question comes before any document closes, so Cancel leaves everything open.
    for (int i = 0; i < count; ++i) {
        // An untitled document saved on the way out is recorded under its new name, so the
        // next start opens the program that was just saved.
        std::optional<std::string> path = settle_document_for_exit(app, i);
        if (!path) return false;
        recorded += *path;
        recorded += '\n';
    }
    // The closed ones go at once: one by one would cost time in proportion to the square of
    // their number.
    remove_first_documents(app, count);
    app.open_file_list = recorded;
    // A normal end: every text was saved or given up (the last close made a fresh document).
    forget_all_recovery(app);
    save_settings_file(app);
    save_view_state(app.view_state, app.folders);
    return true;
}
