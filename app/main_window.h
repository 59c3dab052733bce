// The main window: menus, toolbar, tab bar, editor, label list, splitter and status bar.
#pragma once

#include "ui/screen_fit.h"

#include <QMainWindow>

struct App;

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(App& app);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    App& app_;
};

// Builds the main window with everything in it and shows it at the saved placement.
void build_main_window(App& app);
// Places the splitter below the tab bar, filling the window down to the status bar.
void lay_out_splitter(App& app);
// Copies the window's placement and the splitter position into the settings.
void take_window_placement(App& app);
// Shows the window, restores it when minimised and brings it to the front.
void show_and_raise(App& app);
// Shows the context menu at a screen position.
void show_context_menu(App& app, const QPoint& global_pos);
