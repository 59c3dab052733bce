// The main window's placement taken back into the settings, and the window brought forward.
#include "app/main_window.h"

#include "app/app.h"

#include <QSplitter>

void take_window_placement(App& app) {
    if (!app.window) return;
    QPoint position = app.window->pos();
    app.settings.main.x = position.x();
    app.settings.main.y = position.y();
    app.settings.main.width = app.window->width();
    app.settings.main.height = app.window->height();
    if (app.splitter && !app.splitter->sizes().isEmpty())
        app.settings.main.extra = app.splitter->sizes().first();
}

void show_and_raise(App& app) {
    if (!app.window) return;
    MainWindow& window = *app.window;
    if (!window.isVisible()) window.show();
    if (window.isMinimized()) window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.raise();
    window.activateWindow();
}
