// Building and laying out the main window.
#include "app/main_window.h"

#include "analysis/analysis_view.h"
#include "app/analysis_command_list.h"
#include "app/app.h"
#include "app/board_files_command_list.h"
#include "app/commands.h"
#include "app/edit_command_list.h"
#include "app/help_command_list.h"
#include "app/menu_ids.h"
#include "app/menu_table.h"
#include "app/recent_command_list.h"
#include "app/view_commands.h"
#include "app/window_menus.h"
#include "documents/disk_watch.h"
#include "documents/document_commands.h"
#include "documents/name_refresh.h"
#include "documents/navigation.h"
#include "documents/recent_commands.h"
#include "documents/recovery.h"
#include "documents/status_line.h"
#include "documents/tab_state.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_config.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "tools/merge_report_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr int tab_bar_height = 25;
constexpr int side_margin = 5;
constexpr int splitter_handle_width = 7;
constexpr int tab_bar_right_gap = 15; // the tab bar ends this far from the area's right edge

QString text_of(const std::string& text) {
    return QString::fromStdString(text);
}

void build_editor_area(App& app, QWidget* area) {
    int client_width = area->width();
    int top = tab_bar_height;

    app.tab_bar = new TabBarWidget(tabbar_defaults_from(area->palette(), area->font()), side_margin,
                                   0, client_width - tab_bar_right_gap, tab_bar_height,
                                   tabbar_program_flags, area);
    app.tab_bar->setObjectName(QStringLiteral("tab_bar"));
    app.tab_bar->add_item(tabbar_position_plus, "+");
    app.tab_bar->on_event = [&app](int code, int position) { tab_bar_event(app, code, position); };
    app.tab_bar->drag_data = [&app](int position) { return tab_drag_data(app, position); };

    app.splitter = new QSplitter(Qt::Horizontal, area);
    app.splitter->setObjectName(QStringLiteral("splitter"));
    app.splitter->setGeometry(side_margin, top, client_width - 10, top);
    app.splitter->setChildrenCollapsible(false);
    app.splitter->setHandleWidth(splitter_handle_width); // wide enough to grab

    app.editor = create_editor(*app.editor_record, app.splitter, side_margin, top,
                               client_width - 100, top, 1);
    app.editor->setObjectName(QStringLiteral("editor"));
    EditorWidget* editor = app.editor;
    // Names learnt while colouring belong to the active document.
    QObject::connect(editor, &EditorWidget::name_learnt, editor,
                     [&app](std::string_view name) { add_name(app, app.documents.current, name); });
    connect_status_line(app.status_line, editor);
    QObject::connect(editor, &EditorWidget::content_changed, editor, [&app]() {
        schedule_names_refresh(app);
        note_change_for_recovery(app);
        note_unsavable_characters(app);
        if (app.analysis) schedule_analysis(*app.analysis);
    });
    QObject::connect(editor, &EditorWidget::context_menu_wanted, editor,
                     [&app](const QPoint& at) { show_context_menu(app, at); });
    QObject::connect(editor, &EditorWidget::files_dropped, editor,
                     [&app](const std::string& paths) { run_files_dropped(app, paths); });
    QObject::connect(editor, &EditorWidget::return_pressed, editor,
                     [&app]() { run_command(app, menu_id::return_key); });
    QObject::connect(app.editor, &QsciScintillaBase::SCN_DOUBLECLICK, app.editor,
                     [&app](int position, int, int) { report_double_clicked(app, position); });
    app.editor_record->syntax = current_syntax(app);
    app.editor_record->shows_plain_text = [&app]() {
        const Document* document = app.documents.current_document();
        return document && !document->report_of.empty();
    };
    configure_editor(*app.editor_record, app.editor, app.keyword_text);
    zoom_editor(app, app.view_state.zoom);
    QObject::connect(app.editor, &QsciScintillaBase::SCN_SAVEPOINTLEFT,
                     [&app]() { show_modified_state(app); });
    QObject::connect(app.editor, &QsciScintillaBase::SCN_SAVEPOINTREACHED, [&app]() {
        show_modified_state(app);
        // Saved or undone back to the saved text: nothing left to recover.
        forget_recovery(app, app.documents.current);
    });
    // Ctrl+wheel zooms inside the editing component: the size is remembered all the same.
    QObject::connect(app.editor, &QsciScintillaBase::SCN_ZOOM, [&app]() {
        app.view_state.zoom = int(sci_zoom(app.editor));
        fit_line_number_margin(*app.editor_record, app.editor);
    });

    app.label_list = new QListWidget(app.splitter);
    app.label_list->setObjectName(QStringLiteral("label_list"));
    app.label_list->setFrameShape(QFrame::StyledPanel);
    app.label_list->setFrameShadow(QFrame::Sunken);
    // Every entry is one line of text: measuring one instead of thousands keeps switching fast.
    app.label_list->setUniformItemSizes(true);
    QObject::connect(app.label_list, &QListWidget::itemClicked,
                     [&app](QListWidgetItem*) { label_list_clicked(app); });
    // "Sort": the names in file order or A-Z, from the list's context menu.
    app.label_list->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* sort_order = new QActionGroup(app.label_list);
    for (bool sorted : {false, true}) {
        QAction* action = sort_order->addAction(sorted ? QStringLiteral("Sort: A\u2013Z")
                                                       : QStringLiteral("Sort: file order"));
        action->setObjectName(sorted ? QStringLiteral("sort_a_z")
                                     : QStringLiteral("sort_file_order"));
        action->setCheckable(true);
        action->setChecked(sorted == (app.settings.label_list_sorted != 0));
        app.label_list->addAction(action);
        QObject::connect(action, &QAction::triggered, [&app, sorted]() {
            app.settings.label_list_sorted = sorted ? 1 : 0;
            refresh_label_list(app, app.documents.current);
        });
    }
    // "Outline": the program's SUBs and FUNCTIONs with their labels, and its include files.
    auto* outline = new QAction(QStringLiteral("Outline"), app.label_list);
    outline->setObjectName(QStringLiteral("outline"));
    outline->setCheckable(true);
    outline->setChecked(app.settings.label_list_outline != 0);
    app.label_list->addAction(outline);
    QObject::connect(outline, &QAction::toggled, [&app](bool on) {
        app.settings.label_list_outline = on ? 1 : 0;
        app.label_list->clear(); // the names and the outline never compare as the same items
        refresh_label_list(app, app.documents.current);
    });

    app.splitter->addWidget(app.editor);
    app.splitter->addWidget(app.label_list);
    // The label list keeps its width when the window is resized; the editor takes the change.
    app.splitter->setStretchFactor(0, 1);
    app.splitter->setStretchFactor(1, 0);
    // Once the user sets the list's width by hand, it stays theirs instead of following names.
    QObject::connect(app.splitter, &QSplitter::splitterMoved,
                     [&app]() { app.settings.label_list_sized = 1; });
}

void build_timers(App& app, MainWindow& window) {
    app.names_timer = new QTimer(&window);
    app.names_timer->setSingleShot(true);
    QObject::connect(app.names_timer, &QTimer::timeout, [&app]() { refresh_names_from_text(app); });
    app.label_list_timer = new QTimer(&window);
    app.label_list_timer->setSingleShot(true);
    QObject::connect(app.label_list_timer, &QTimer::timeout,
                     [&app]() { refresh_label_list(app, app.documents.current); });
    build_recovery_timer(app, &window);
    build_disk_watch(app, &window);
}

} // namespace

MainWindow::MainWindow(App& app) : app_(app) {}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (app_.quit_flag == 1 || request_quit(app_))
        event->accept();
    else
        event->ignore();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    lay_out_splitter(app_);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    show_context_menu(app_, event->globalPos());
}

void build_main_window(App& app) {
    app.window = std::make_unique<MainWindow>(app);
    MainWindow& window = *app.window;
    app.main_window = &window;
    build_timers(app, window);
    window.setObjectName(QStringLiteral("main_window"));
    window.setWindowTitle(text_of(app.identity.window_title()));
    window.setWindowIcon(QIcon(QStringLiteral(":/icons/zelledit.png")));
    // Caption, system menu, minimise and close, and a sizing border; no maximise button.
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);

    build_toolbar(app, window);
    for (const MenuSpec& menu : menu_bar_table())
        build_menu(app, window.menuBar()->addMenu(text_of(menu.title)), menu.entries, true);
    app.context_menu = build_menu(app, new QMenu(&window), context_menu_table(), false);
    build_status_line(app.status_line, window.statusBar());
    build_shortcuts(app, window);
    install_zoom_shortcuts(app);
    install_tab_shortcuts(app);
    connect_recent_files(app);

    auto* area = new QWidget(&window);
    area->setObjectName(QStringLiteral("editor_area"));
    window.setCentralWidget(area);
    // The inner size is the window's content, menu bar included, so a saved size comes back
    // exactly at the next start.
    const Placement built_in = Settings{}.main;
    const QRect placed =
        fit_on_screen(app.settings.main.x, app.settings.main.y, app.settings.main.width,
                      app.settings.main.height, QSize(built_in.width, built_in.height));
    const QSize size = placed.size();
    window.resize(size);
    area->resize(size.width(), size.height());
    build_editor_area(app, area);
    install_analysis(app);
    install_board_files(app);

    window.move(placed.topLeft());
    window.show();
    lay_out_splitter(app);
    // "MainSplit" is the editor's width; the label list gets the rest.
    int total = app.splitter->width() - app.splitter->handleWidth();
    int split = std::clamp(app.settings.main.extra, 1, std::max(total - 1, 1));
    app.splitter->setSizes({split, std::max(total - split, 1)});
    connect_help(app);
}

void lay_out_splitter(App& app) {
    if (!app.splitter || !app.window) return;
    QWidget* area = app.window->centralWidget();
    // The tab bar follows the window's width, so tabs are cut only when they must be.
    if (app.tab_bar)
        app.tab_bar->setFixedSize(std::max(area->width() - tab_bar_right_gap, 1), tab_bar_height);
    int top = tab_bar_height;
    int width = std::max(area->width() - 2 * side_margin, 1);
    // Panels below the editor (the find bar, ...) take their height from the bottom up.
    int bottom = area->height() - side_margin;
    for (auto panel = app.bottom_panels.rbegin(); panel != app.bottom_panels.rend(); ++panel) {
        if (!(*panel)->isVisibleTo(area)) continue;
        int height = std::min((*panel)->sizeHint().height(), std::max(bottom - top - 40, 0));
        bottom -= height;
        (*panel)->setGeometry(side_margin, bottom, width, height);
    }
    // With the terminal panel open, the editor and label list sit in a splitter above it.
    QWidget* outer = app.splitter->parentWidget() != area ? app.splitter->parentWidget()
                                                          : static_cast<QWidget*>(app.splitter);
    outer->setGeometry(side_margin, top, width, std::max(bottom - top, 1));
}
