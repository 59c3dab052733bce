// A document's names follow its text: pasted headers and labels are listed, deleted ones leave
// the label list and the colouring once the edit has settled.
#include "documents/name_refresh.h"
#include "documents/opening.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <QListWidget>
#include <QTest>
#include <QTimer>

namespace {

class NamesTest : public AppFixture {
  protected:
    // Waits for the edit to settle and the names to be collected again.
    bool labels_become(const std::vector<std::string>& wanted) {
        return QTest::qWaitFor([&] { return labels() == wanted; }, 3000);
    }
    void open_program(const std::string& text) {
        std::string file = path("names.bas");
        write_file(file, text);
        open_files(*app, file);
        process_events();
    }
    void replace_line(long line, const std::string& text) {
        long start = sci_position_from_line(app->editor, line);
        long end = sci_position_from_line(app->editor, line + 1);
        sci_send(app->editor, Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(start), end);
        sci_send_text(app->editor, Sci::SCI_REPLACETARGET, text.size(), text.c_str());
    }
    // The style of the last `word` in the text, with the whole text coloured.
    int style_of(const std::string& word) {
        std::string text = sci_text(app->editor);
        std::size_t at = text.rfind(word);
        if (at == std::string::npos) return -1;
        sci_send(app->editor, Sci::SCI_COLOURISE, 0, -1);
        return sci_style_at(app->editor, static_cast<long>(at));
    }
};

TEST_F(NamesTest, APastedSubIsListedAndADeletedLabelLeavesListAndColouring) {
    start_with_intro("");
    open_program("Start:\nPRINT 1\nGOSUB Start\n");
    EXPECT_EQ(labels(), std::vector<std::string>{"Start"});
    EXPECT_EQ(style_of("Start"), 7);

    // A paste is one insertion of several lines; the header in it is not on a Return line.
    sci_send(app->editor, Sci::SCI_DOCUMENTEND);
    const std::string pasted = "Sub Draw(x, y)\nEnd Sub\n";
    sci_send_text(app->editor, Sci::SCI_REPLACESEL, 0, pasted.c_str());
    EXPECT_TRUE(app->names_timer->isActive());
    EXPECT_TRUE(labels_become({"Start", "Draw"}));

    replace_line(0, "Begin:\n");
    EXPECT_TRUE(labels_become({"Begin", "Draw"}));
    EXPECT_EQ(style_of("Start"), 32); // the call to the withdrawn label is plain text again
    EXPECT_EQ(app->documents.documents[app->documents.current].names, "Begin Draw ");
}

TEST_F(NamesTest, ALabelSpeltLikeAKeywordGivesTheKeywordBackWhenDeleted) {
    start_with_intro("");
    open_program("Print:\nPRINT 1\n");
    EXPECT_EQ(style_of("PRINT 1"), 7);
    replace_line(0, "x = 1\n");
    EXPECT_TRUE(labels_become({}));
    EXPECT_EQ(style_of("PRINT 1"), 1);
}

TEST_F(NamesTest, ManyLearntNamesRefillTheListOnce) {
    start_with_intro("");
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "L" + std::to_string(i) + ":\n";
    sci_send_text(app->editor, Sci::SCI_REPLACESEL, 0, text.c_str());
    sci_send(app->editor, Sci::SCI_COLOURISE, 0, -1); // every label line learnt while colouring
    EXPECT_TRUE(app->label_list_timer->isActive());
    process_events();
    ASSERT_EQ(app->label_list->count(), 2000);
    EXPECT_EQ(app->label_list->item(1999)->text(), QStringLiteral("L1999"));
}

} // namespace
