// The main window: menus, toolbar, tab bar, editor, label list, splitter and status bar.
#pragma once

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

// A stored window placement made to fit the screen that shows most of it (the primary one when
// none does): no larger than that screen (or than `default_size`, which always stands), and
// its top left corner on it, so the title bar and the menus are always within reach, whatever
// monitor set-up or damaged file the values came from.
QRect fit_on_screen(QRect wanted, QSize default_size);
// The same for a stored placement: values far beyond any screen (2147483647 from a damaged
// settings file) are brought near first, so no rectangle arithmetic overflows.
QRect fit_on_screen(int x, int y, int width, int height, QSize default_size);
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
