// The application shell's start-up and settings: the data folder, the keyword file, the portable
// marker, About, and settings that survive a restart or cannot be written.
#include "app/commands.h"
#include "app/main_window.h"
#include "app/menu_ids.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
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

using ShellTest = AppFixture;

TEST_F(ShellTest, FirstStartCreatesTheDataFolderWithTheKeywordFile) {
    start();
    EXPECT_TRUE(requesters->shown.empty()); // no "Couldn't open the Keywords file!"
    std::string keywords = read_file(data_folder() + "Zellcmndlist.dat");
    EXPECT_NE(keywords.find("PRINT "), std::string::npos);
    EXPECT_NE(app->keyword_text.find("PRINT "), std::string::npos);
}

TEST_F(ShellTest, MissingKeywordFileIsReportedOnceAndStartUpGoesOn) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    start();
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].title, "Information");
    EXPECT_EQ(requesters->shown[0].text, "Couldn't open the Keywords file!");
    EXPECT_TRUE(app->keyword_text.empty());
    EXPECT_TRUE(app->window->isVisible());
}

TEST_F(ShellTest, PortableMarkerFileSelectsTheDataFolderBesideTheProgram) {
    write_file(program_folder + "portable.inf", "");
    start();
    EXPECT_EQ(app->folders.data, program_folder + "data/");
    EXPECT_FALSE(read_file(program_folder + "data/Zellcmndlist.dat").empty());
}

TEST_F(ShellTest, PortableMarkerFolderDoesNotCount) {
    QDir().mkpath(QString::fromStdString(program_folder + "portable.inf"));
    start();
    EXPECT_EQ(app->folders.data, data_folder());
}

TEST_F(ShellTest, AboutShowsVersionOsAndFolders) {
    start();
    run_command(*app, menu_id::about);
    ASSERT_EQ(requesters->shown.size(), 1u);
    const ShownDialog& box = requesters->shown[0];
    EXPECT_EQ(box.title, "zelledit");
    EXPECT_EQ(box.buttons, Buttons::Ok);
    std::string expected_start =
        "Version: V0.9  OS Ver: Linux 601\nProgram folder: " + program_folder +
        "\rData folder: " + data_folder() + "\rFile folder: " + documents_folder +
        "\rInclude file folder: " + documents_folder + "\rContact: ";
    EXPECT_EQ(box.text.substr(0, expected_start.size()), expected_start);
    EXPECT_NE(box.text.find("\rWebsite: "), std::string::npos);
}

TEST_F(ShellTest, SettingsSurviveARestart) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT ");
    write_file(
        data_folder() + "Zelledit2.inf",
        "[windows]\r\nmainx=130\r\nMainY = 140\r\nMainW=700\r\nMainH=500\r\nMainSplit=500\r\n"
        "[Options]\r\nLine_numbers=0\r\n[Preferences]\r\nConfirm before Exit=0\r\n");
    start();
    EXPECT_EQ(app->window->width(), 700);
    EXPECT_EQ(app->window->height(), 500);
    EXPECT_EQ(app->splitter->sizes().first(), 500);
    EXPECT_EQ(app->settings.options.line_numbers, 0);
    EXPECT_FALSE(app->menu_actions.at(menu_id::view_line_numbers)->isChecked());
    run_command(*app, menu_id::view_line_numbers); // now on
    quit();
    ASSERT_EQ(app->quit_flag, 1);
    stop();

    std::string written = read_file(data_folder() + "Zelledit2.inf");
    EXPECT_EQ(written.rfind("[Windows]\r\n; Main Window\r\n", 0), 0u) << written;
    EXPECT_NE(written.find("MainW = 700\r\nMainH = 500\r\nMainSplit = 500\r\n"), std::string::npos);
    EXPECT_NE(written.find("Line_numbers = 1\r\n"), std::string::npos);

    start();
    EXPECT_EQ(app->window->width(), 700);
    EXPECT_EQ(app->window->height(), 500);
    EXPECT_EQ(app->settings.options.line_numbers, 1);
    EXPECT_TRUE(app->menu_actions.at(menu_id::view_line_numbers)->isChecked());
}

TEST_F(ShellTest, OnlyAbsoluteCleanFoldersAreReadAndWritten) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT ");
    write_file(data_folder() + "Zelledit2.inf",
               "[Preferences]\r\nConfirm before Exit=0\r\n[Folders]\r\nUserFolder = docs/\r\n"
               "IncludeFolder = " +
                   documents_folder + "lib/../inc//\r\n");
    start();
    EXPECT_EQ(app->folders.current, documents_folder); // the relative value is not taken
    quit();
    stop();
    std::string written = read_file(data_folder() + "Zelledit2.inf");
    EXPECT_NE(written.find("UserFolder = " + documents_folder + "\r\n"), std::string::npos);
    EXPECT_NE(written.find("IncludeFolder = " + documents_folder + "inc/\r\n"), std::string::npos)
        << written;
}

TEST_F(ShellTest, DamagedPlacementStillGivesAVisibleUsableWindow) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT ");
    write_file(data_folder() + "Zelledit2.inf",
               "[Windows]\nMainX=-90000\nMainY=99999999999\nMainW=-5\nMainH=abc\nMainSplit=-3\n");
    start();
    EXPECT_TRUE(app->window->isVisible());
    EXPECT_GE(app->window->width(), 200);
    EXPECT_GE(app->window->height(), 150);
    EXPECT_GT(app->splitter->sizes().first(), 0);
}

TEST_F(ShellTest, SettingsThatCannotBeWrittenAtExitAreToldAndQuittingStillEnds) {
    start();
    app->settings.confirm_before_exit = 0;
    QDir(QString::fromStdString(data_folder())).removeRecursively();
    write_file(app_data_folder + "Brevant/Zelledit", "a file where the folder was");
    requesters->answers.push_back(Answer::Ok);
    quit();
    EXPECT_EQ(app->quit_flag, 1);
    ASSERT_EQ(requesters->shown.size(), 1u);
    EXPECT_EQ(requesters->shown[0].title, "Settings");
    EXPECT_EQ(
        requesters->shown[0].text.rfind("Couldn't save " + data_folder() + "Zelledit2.inf\n", 0),
        0u);
    EXPECT_EQ(read_file(app_data_folder + "Brevant/Zelledit"), "a file where the folder was");
}

TEST_F(ShellTest, TemporaryFilesOfAKilledSettingsWriteGoAtStart) {
    QDir().mkpath(QString::fromStdString(data_folder()));
    write_file(data_folder() + "Zellcmndlist.dat", "PRINT ");
    // A process number far above any the system hands out.
    const std::string stale = data_folder() + ".Zelledit2.inf.zell-tmp-99999999-0";
    write_file(stale, "[Windows]\r\n");
    start();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(stale)));
}
