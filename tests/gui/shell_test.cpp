// The application shell: window, menus, toolbar, status bar, view toggles, quitting, settings.
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "editor/view_options.h"
#include "support/app_fixture.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <set>

namespace {

std::vector<std::string> menu_texts(QMenu* menu) {
    std::vector<std::string> texts;
    for (QAction* action : menu->actions())
        texts.push_back(action->isSeparator() ? std::string("|") : action->text().toStdString());
    return texts;
}

} // namespace

using ShellTest = AppFixture;

TEST_F(ShellTest, WindowHasTitleMenusInOrderAndNoMaximiseButton) {
    start();
    MainWindow& window = *app->window;
    EXPECT_EQ(window.windowTitle().toStdString(), "Zell Edit V0.9 - untitled.bas");
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);

    std::vector<std::string> titles;
    for (QAction* action : window.menuBar()->actions())
        titles.push_back(action->text().toStdString());
    EXPECT_EQ(titles, (std::vector<std::string>{"&File", "Edit", "Program", "Font", "View",
                                                "BookMarks", "Help"}));
    QMenu* file = window.menuBar()->actions()[0]->menu();
    EXPECT_EQ(menu_texts(file), (std::vector<std::string>{
                                    "&New\tCtrl+N", "&Open\tCtrl+O", "&Recent", "&Save\tCtrl+S",
                                    "Save As", "Save Selection", "Restore", "Print", "Preferences",
                                    "Connect to Maximite", "Run in DOS", "exit"}));
    QMenu* recent = file->actions()[2]->menu();
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(menu_texts(recent), std::vector<std::string>(10, "-"));
    QMenu* help = window.menuBar()->actions()[6]->menu();
    QMenu* external = help->actions()[3]->menu();
    ASSERT_NE(external, nullptr);
    EXPECT_EQ(external->actions().size(), 6);
    EXPECT_EQ(menu_texts(app->context_menu),
              (std::vector<std::string>{"undo\tCtrl+Z", "redo\tCtrl+Y", "Select All\tCtrl+A",
                                        "cut\tCtrl+X", "copy\tCtrl+C", "Paste\tCtrl+V", "|",
                                        "Find/Replace\tCtrl+H", "|", "Syntax Help\tF1"}));
    // Every id of the table has its item; view toggles and line-end modes carry check marks.
    for (int id : {14, 15, 27, 28, 31, 35, 44, 49, 50, 66, 70, 77, 88})
        EXPECT_TRUE(app->menu_actions.count(id)) << id;
    EXPECT_TRUE(app->menu_actions.at(menu_id::view_colour)->isCheckable());
    EXPECT_TRUE(app->menu_actions.at(menu_id::unix_line_endings)->isCheckable());
    EXPECT_FALSE(app->menu_actions.at(menu_id::save)->isCheckable());
}

TEST_F(ShellTest, ToolbarStatusBarAndSplitterAsBuilt) {
    start();
    std::vector<std::string> tips;
    for (QAction* action : app->toolbar->actions())
        tips.push_back(action->isSeparator() ? std::string("|") : action->toolTip().toStdString());
    EXPECT_EQ(tips, (std::vector<std::string>{"New file",
                                              "Open",
                                              "Save",
                                              "Save as",
                                              "Print",
                                              "|",
                                              "Find",
                                              "Physical line numbers",
                                              "Show Line endings",
                                              "Show white space markers",
                                              "Syntax Colour",
                                              "Uppercase Keywords",
                                              "Indent guides",
                                              "Auto indent",
                                              "Format document",
                                              "|",
                                              "Previous bookmark",
                                              "Toggle bookmark",
                                              "Next bookmark",
                                              "return from sub/function",
                                              "find sub/function",
                                              "|",
                                              "run in DOS",
                                              "connect to Maximite",
                                              "Send to board (F6)",
                                              "Send and run (F5)",
                                              "Stop program (Shift+F5)",
                                              "Board files",
                                              "Syntax help"}));
    for (QAction* action : app->toolbar->actions()) {
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->toolTip().toStdString();
        }
    }
    EXPECT_EQ(app->status_line.fields[0]->width(), 100);
    EXPECT_EQ(app->status_line.fields[1]->width(), 100);
    // The path takes up to 500 pixels, and gives way rather than lie under the next field.
    EXPECT_GT(app->status_line.fields[2]->width(), 400);
    EXPECT_LE(app->status_line.fields[2]->width(), 500);
    EXPECT_LE(app->status_line.fields[2]->geometry().right(),
              app->status_line.fields[3]->geometry().left());
    EXPECT_EQ(app->splitter->widget(0), app->editor);
    EXPECT_EQ(app->splitter->widget(1), app->label_list);
    EXPECT_EQ(app->splitter->sizes().first(), 720);
}

TEST_F(ShellTest, ResizingWidensTheEditorAndKeepsTheLabelList) {
    start();
    int list_width = app->label_list->width();
    int editor_width = app->editor->width();
    app->window->resize(app->window->width() + 200, app->window->height());
    process_events();
    EXPECT_EQ(app->label_list->width(), list_width);
    EXPECT_EQ(app->editor->width(), editor_width + 200);
}

TEST_F(ShellTest, ViewToggleFlipsOptionMarginAndCheckMark) {
    start();
    QAction* item = app->menu_actions.at(menu_id::view_line_numbers);
    ASSERT_EQ(app->settings.options.line_numbers, 1);
    EXPECT_TRUE(item->isChecked());
    run_command(*app, menu_id::view_line_numbers);
    EXPECT_EQ(app->settings.options.line_numbers, 0);
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETMARGINTYPEN, 0), Sci::SC_MARGIN_SYMBOL);
    run_command(*app, menu_id::view_line_numbers);
    EXPECT_EQ(app->settings.options.line_numbers, 1);
    EXPECT_TRUE(item->isChecked());
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETMARGINTYPEN, 0), Sci::SC_MARGIN_NUMBER);

    run_command(*app, menu_id::view_line_endings);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETVIEWEOL), 1);
    run_command(*app, menu_id::view_white_space);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETVIEWWS), Sci::SCWS_VISIBLEAFTERINDENT);
    run_command(*app, menu_id::view_indent_guides);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETINDENTATIONGUIDES), 0);
    run_command(*app, menu_id::view_upper_case);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_STYLEGETCASE, 1), Sci::SC_CASE_MIXED);
}

TEST_F(ShellTest, ViewAndLineEndTicksComeFromTheStateTheyShowWhenTheMenuOpens) {
    start();
    for (int id : {menu_id::view_colour, menu_id::view_upper_case, menu_id::view_white_space,
                   menu_id::view_line_endings, menu_id::view_indent_guides,
                   menu_id::view_auto_indent, menu_id::view_line_numbers}) {
        SCOPED_TRACE(id);
        QAction* item = app->menu_actions.at(id);
        ASSERT_TRUE(item->isCheckable());
        int* option = view_option(app->settings.options, id);
        ASSERT_NE(option, nullptr);
        for (int value : {0, 1}) {
            *option = value;
            for (QObject* object : item->associatedObjects())
                if (auto* menu = qobject_cast<QMenu*>(object)) Q_EMIT menu->aboutToShow();
            EXPECT_EQ(item->isChecked(), value == 1);
        }
    }
    app->documents.current_document()->line_end = LineEnd::lf;
    EXPECT_TRUE(is_command_checked(*app, menu_id::unix_line_endings));
    EXPECT_FALSE(is_command_checked(*app, menu_id::dos_line_endings));
}

TEST_F(ShellTest, UnixLineEndingsConvertTheTextAndMoveTheCheckMark) {
    start();
    sci_set_text(app->editor, "a\r\nb\r\nc");
    run_command(*app, menu_id::unix_line_endings);
    EXPECT_EQ(sci_text(app->editor), "a\nb\nc");
    EXPECT_TRUE(app->menu_actions.at(menu_id::unix_line_endings)->isChecked());
    EXPECT_FALSE(app->menu_actions.at(menu_id::dos_line_endings)->isChecked());
    EXPECT_EQ(app->settings.options.line_endings_mode, 1);
    run_command(*app, menu_id::dos_line_endings);
    EXPECT_EQ(sci_text(app->editor), "a\r\nb\r\nc");
    EXPECT_TRUE(app->menu_actions.at(menu_id::dos_line_endings)->isChecked());
}

TEST_F(ShellTest, SelectAllAndClearBookmarks) {
    start();
    sci_set_text(app->editor, "one\ntwo\n");
    sci_send(app->editor, Sci::SCI_MARKERADD, 1, 0);
    run_command(*app, menu_id::select_all);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_GETSELECTIONEND) -
                  sci_send(app->editor, Sci::SCI_GETSELECTIONSTART),
              8);
    run_command(*app, menu_id::clear_bookmarks);
    EXPECT_EQ(sci_send(app->editor, Sci::SCI_MARKERNEXT, 0, 1), -1);
}

TEST_F(ShellTest, QuitAsksWhenConfiguredAndNoKeepsRunning) {
    start();
    requesters->answers.push_back(Answer::No);
    EXPECT_FALSE(request_quit(*app));
    EXPECT_EQ(app->quit_flag, 0);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].title, "Quit");
    EXPECT_EQ(requesters->shown[0].text, "Are you sure you want to quit Zell Edit?");
    EXPECT_EQ(requesters->shown[0].buttons, Buttons::YesNo);

    requesters->answers.push_back(Answer::Yes);
    EXPECT_TRUE(request_quit(*app));
    EXPECT_EQ(app->quit_flag, 1);
}

TEST_F(ShellTest, QuitWithoutConfirmationAsksNothing) {
    write_file(data_folder() + "Zelledit2.inf", "");
    start();
    app->settings.confirm_before_exit = 0;
    quit();
    EXPECT_EQ(app->quit_flag, 1);
    EXPECT_TRUE(requesters->shown.empty());
}

TEST_F(ShellTest, TabKeyReachesTheEditor) {
    start();
    app->window->activateWindow();
    app->editor->setFocus();
    sci_set_text(app->editor, "");
    QTest::keyClick(app->editor, Qt::Key_Tab);
    EXPECT_EQ(sci_text(app->editor), "  ");
}

TEST_F(ShellTest, WindowPaintsAProgramWithColoursTabsAndLabels) {
    std::string program = path("demo.bas");
    write_file(program,
               "' Blink the LED\r\nSETPIN 1, DOUT\r\nStart:\r\nDO\r\n  PIN(1) = 1 - PIN(1)\r\n"
               "  Wait 500\r\nLOOP\r\n\r\nSUB Wait ms\r\n  PAUSE ms ' milliseconds\r\n"
               "  PRINT \"tick\"\r\nEND SUB\r\n");
    start({program});
    process_events();
    QImage shot = app->window->grab().toImage();
    const QString folder = qEnvironmentVariable("ZELL_SHOT_DIR");
    if (!folder.isEmpty()) shot.save(folder + "/main_window.png");
    // The editor shows more than one colour: the keywords and the comment are coloured.
    QImage editor = app->editor->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < editor.height(); y += 2)
        for (int x = 0; x < editor.width(); x += 2) colours.insert(editor.pixel(x, y));
    EXPECT_GT(colours.size(), 8u);
    EXPECT_EQ(app->label_list->count(), 2); // Start and Wait
}

TEST_F(ShellTest, AStoredPlacementLargerThanTheScreenOrPartlyOffItIsFittedToIt) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT ");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    struct Case {
        int x, y, width, height;
    };
    // Wider than any screen and left of it; below the right corner; taller and above it.
    for (const Case& placement :
         {Case{-398, 0, 20000, 150}, Case{screen.right() - 50, screen.bottom() - 20, 400, 300},
          Case{10, -500, 300, 20000}}) {
        SCOPED_TRACE(placement.x);
        write_file(data_folder() + "Zelledit2.inf",
                   "[Windows]\nMainX=" + std::to_string(placement.x) + "\nMainY=" +
                       std::to_string(placement.y) + "\nMainW=" + std::to_string(placement.width) +
                       "\nMainH=" + std::to_string(placement.height) + "\n");
        start();
        // The frame's corner (title and menus) on the screen; no larger than the screen or the
        // built-in size, and not past the screen's far edges unless that size is larger.
        const QRect frame = app->window->frameGeometry();
        const QSize most = screen.size().expandedTo(QSize(850, 600));
        EXPECT_TRUE(screen.contains(frame.topLeft())) << frame.x() << "," << frame.y();
        EXPECT_LE(app->window->width(), most.width());
        EXPECT_LE(app->window->height(), most.height());
        EXPECT_GE(app->window->width(), std::min(placement.width, screen.width()));
        if (app->window->width() <= screen.width()) {
            EXPECT_LE(frame.x() + app->window->width(), screen.right() + 1);
        }
        if (app->window->height() <= screen.height()) {
            EXPECT_LE(frame.y() + app->window->height(), screen.bottom() + 1);
        }
        stop();
    }
}

TEST_F(ShellTest, ViewTogglesShowTheirStateOnTheToolbarAndMenusShowShortcuts) {
    start();
    auto button = [&](int id) -> QAction* {
        for (QAction* action : app->toolbar->actions())
            if (action->data().toInt() == id) return action;
        return nullptr;
    };
    for (int id = menu_id::view_colour; id <= menu_id::view_line_numbers; ++id) {
        SCOPED_TRACE(id);
        QAction* action = button(id);
        if (!action) continue; // not every toggle has a button
        EXPECT_TRUE(action->isCheckable());
        const bool before = app->menu_actions.at(id)->isChecked();
        EXPECT_EQ(action->isChecked(), before);
        run_command(*app, id);
        EXPECT_EQ(action->isChecked(), !before);
        EXPECT_EQ(app->menu_actions.at(id)->isChecked(), !before);
    }
    EXPECT_FALSE(button(menu_id::save)->isCheckable());
    for (auto [id, keys] : {std::pair{menu_id::undo, "\tCtrl+Z"},
                            {menu_id::goto_line, "\tCtrl+G"},
                            {menu_id::return_from_name, "\tCtrl+B"},
                            {menu_id::find_replace, "\tCtrl+H"}}) {
        const std::string text = app->menu_actions.at(id)->text().toStdString();
        EXPECT_EQ(text.substr(text.find('\t')), keys);
    }
}
