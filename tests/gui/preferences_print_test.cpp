// The preferences window (colours on the preview, Save, Default, Cancel, options, placement)
// and printing to a PDF file.
#include "app/app.h"
#include "app/commands.h"
#include "app/menu_ids.h"
#include "documents/opening.h"
#include "editor/editor_record.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"
#include "tools/preferences_window.h"

#include <QCheckBox>
#include <QDate>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

class PreferencesTest : public AppFixture {
  protected:
    void SetUp() override {
        start_with_intro("");
        app->settings.confirm_before_exit = 0;
    }
    long keyword_colour() { return sci_send(app->editor, Sci::SCI_STYLEGETFORE, style::keyword); }
    void click_preview(int x, int y) {
        QTest::mouseClick(app->preferences->preview, Qt::LeftButton, {}, QPoint(x, y));
    }
    Colour working(ColourItem item) { return app->preferences->working[int(item)]; }
};

// The output of a command, or nothing when it can't run (the tool is not installed).
std::optional<std::string> run_tool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return std::nullopt;
    return process.readAllStandardOutput().toStdString();
}

std::size_t count_of(const std::string& text, const std::string& piece) {
    std::size_t count = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1))
        ++count;
    return count;
}

} // namespace

TEST_F(PreferencesTest, ColoursReachTheEditorOnlyWhenSavedAndTheWindowCloses) {
    const long before = keyword_colour();
    run_command(*app, menu_id::preferences);
    ASSERT_NE(app->preferences, nullptr);
    PreferencesWindow* window = app->preferences;
    run_command(*app, menu_id::preferences); // a second time brings the same one forward
    EXPECT_EQ(app->preferences, window);

    requesters->colours = {0x123456};
    click_preview(100, 95); // the keywords row
    EXPECT_EQ(requesters->shown.back().title, "Keywords colour.");
    EXPECT_EQ(working(ColourItem::Keyword), 0x123456u);
    requesters->colours = {std::nullopt}; // cancelled: unchanged
    click_preview(10, 200);
    EXPECT_EQ(working(ColourItem::Margin), app->settings.colour(ColourItem::Margin));
    save_screenshot(window, "preferences");

    // Not saved: closing loses the edit.
    window->close();
    process_events();
    EXPECT_EQ(app->preferences, nullptr);
    EXPECT_EQ(keyword_colour(), before);

    run_command(*app, menu_id::preferences);
    requesters->colours = {0x00FF00};
    click_preview(100, 95);
    QTest::mouseClick(app->preferences->save_colours_button, Qt::LeftButton);
    EXPECT_EQ(app->settings.colour(ColourItem::Keyword), 0x00FF00u);
    EXPECT_EQ(keyword_colour(), before); // only when the window closes
    app->preferences->close();
    process_events();
    EXPECT_EQ(keyword_colour(), 0x00FF00);

    // Default without Save changes nothing; Default, Save restores the scheme.
    run_command(*app, menu_id::preferences);
    QTest::mouseClick(app->preferences->default_button, Qt::LeftButton);
    EXPECT_EQ(working(ColourItem::Keyword), 0xFF0000u);
    QTest::mouseClick(app->preferences->cancel_button, Qt::LeftButton);
    EXPECT_EQ(working(ColourItem::Keyword), 0x00FF00u);
    QTest::mouseClick(app->preferences->default_button, Qt::LeftButton);
    QTest::mouseClick(app->preferences->save_colours_button, Qt::LeftButton);
    app->preferences->close();
    process_events();
    EXPECT_EQ(keyword_colour(), 0xFF0000);
}

TEST_F(PreferencesTest, OptionsNeedSaveAndThePlacementComesBack) {
    run_command(*app, menu_id::preferences);
    PreferencesWindow* window = app->preferences;
    window->panels->setCurrentIndex(2);
    window->confirm_exit->setChecked(true);
    window->open_blank->setChecked(true);
    QTest::mouseClick(window->save_options_button, Qt::LeftButton);
    EXPECT_EQ(app->settings.confirm_before_exit, 1);
    EXPECT_EQ(app->settings.open_blank_file, 1);
    // "Save Intro" asks first, as the menu's own intro command does.
    requesters->answers = {Answer::No};
    QTest::mouseClick(window->save_intro_button, Qt::LeftButton);
    ASSERT_GE(requesters->shown.size(), 2u);
    EXPECT_EQ(requesters->shown[0].title, "Intro Text");
    EXPECT_EQ(requesters->shown[1].text, "Save cancelled");
    window->resize(480, 450);
    window->close();
    process_events();
    EXPECT_EQ(app->settings.prefs.extra, 2);
    EXPECT_EQ(app->settings.prefs.width, 480);
    app->settings.confirm_before_exit = 0;

    // Damaged placement values still give a usable window on the right panel.
    app->settings.prefs = {-50000, 90000, 0, -3, 17};
    run_command(*app, menu_id::preferences);
    EXPECT_EQ(app->preferences->panels->currentIndex(), 0);
    EXPECT_GE(app->preferences->width(), 200);
    EXPECT_GT(app->preferences->x(), -1000);
    app->preferences->close();
    process_events();
    // Values at the edge of the number range must not overflow the placement arithmetic.
    app->settings.prefs = {2147483647, -2147483647, 2147483647, 2147483647, -1};
    run_command(*app, menu_id::preferences);
    EXPECT_GT(app->preferences->x(), -1000);
    EXPECT_LT(app->preferences->x(), 100000);
    app->preferences->close();
    process_events();
}

TEST_F(PreferencesTest, PrintWritesEveryPageToAPdfAndAnEmptyDocumentPrintsNothing) {
    run_command(*app, menu_id::print); // the empty new document: nothing is shown
    EXPECT_TRUE(requesters->shown.empty());

    std::string program;
    for (int i = 0; i < 400; ++i) program += "PRINT \"line " + std::to_string(i) + "\"\r\n";
    std::string file = path("prog.bas");
    write_file(file, program);
    open_files(*app, file);
    std::string pdf = path("listing.pdf");
    requesters->print_files = {pdf};
    run_command(*app, menu_id::print);
    std::string bytes = read_file(pdf);
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
    // Several pages: the page objects of the PDF.
    std::size_t pages = 0;
    for (std::size_t at = bytes.find("/Type /Page\n"); at != std::string::npos;
         at = bytes.find("/Type /Page\n", at + 1))
        ++pages;
    EXPECT_GE(pages, 3u);

    // A PDF that cannot be written is told, and nothing else changes.
    requesters->print_files = {path("no/such/folder/listing.pdf")};
    run_command(*app, menu_id::print);
    ASSERT_FALSE(requesters->shown.empty());
    EXPECT_EQ(requesters->shown.back().title, "Print");
    EXPECT_EQ(requesters->shown.back().text,
              "Couldn't print to " + path("no/such/folder/listing.pdf"));
    EXPECT_FALSE(sci_send(app->editor, Sci::SCI_GETMODIFY));
}

TEST_F(PreferencesTest, PrintedPagesCarryTheHeaderWrapLongLinesAndUseTheColoursOnWhite) {
    if (!run_tool(QStringLiteral("pdftotext"), {QStringLiteral("-v")}))
        GTEST_SKIP() << "pdftotext is not installed";
    std::string file = path("one.bas");
    write_file(file, "PRINT \"hello\"\r\n");
    open_files(*app, file);
    std::string pdf = path("one.pdf");
    requesters->print_files = {pdf};
    run_command(*app, menu_id::print);
    QString qpdf = QString::fromStdString(pdf);
    std::optional<std::string> text = run_tool(
        QStringLiteral("pdftotext"), {QStringLiteral("-layout"), qpdf, QStringLiteral("-")});
    ASSERT_TRUE(text);
    const QDate today = QDate::currentDate();
    const char* months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    std::string date = std::to_string(today.day()) + " " + months[today.month() - 1] + " " +
                       std::to_string(today.year());
    EXPECT_NE(text->find(date), std::string::npos) << *text;
    EXPECT_NE(text->find("one.bas"), std::string::npos);
    EXPECT_NE(text->find("Page: 1"), std::string::npos);
    EXPECT_EQ(text->find("Page: 2"), std::string::npos); // one line, one page
    EXPECT_NE(text->find("PRINT \"hello\""), std::string::npos);

    // The page as an image: white paper, the keyword in its colour (blue by default).
    std::string prefix = path("page");
    ASSERT_TRUE(run_tool(QStringLiteral("pdftoppm"),
                         {QStringLiteral("-r"), QStringLiteral("60"), QStringLiteral("-png"), qpdf,
                          QString::fromStdString(prefix)}));
    QImage page(QString::fromStdString(prefix + "-1.png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.pixelColor(page.width() - 5, page.height() - 5), QColor(Qt::white));
    bool blue = false;
    for (int y = 0; y < page.height() / 3 && !blue; ++y)
        for (int x = 0; x < page.width() && !blue; ++x) {
            QColor c = page.pixelColor(x, y);
            blue = c.blue() > 200 && c.red() < 80 && c.green() < 80;
        }
    EXPECT_TRUE(blue);
    page.save(QString::fromStdString(prefix + "-shown.png"));
    if (!qgetenv("ZELL_SHOT_DIR").isEmpty())
        page.save(QString::fromLocal8Bit(qgetenv("ZELL_SHOT_DIR")) + "/printed_page.png");

    // A line longer than the page is wrapped, not cut: every word reaches the paper.
    std::string words;
    for (int i = 0; i < 60; ++i) words += "word" + std::to_string(i) + " ";
    write_file(file, "REM " + words + "\r\n");
    run_command(*app, menu_id::restore);
    requesters->print_files = {pdf};
    run_command(*app, menu_id::print);
    text = run_tool(QStringLiteral("pdftotext"), {qpdf, QStringLiteral("-")});
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("word0"), std::string::npos);
    EXPECT_NE(text->find("word59"), std::string::npos);
    EXPECT_GE(count_of(*text, "\n"), 3u);
}
