// The documents' events reach every listener, and the recent files reach the items given.
#include "documents/document_commands.h"
#include "documents/document_events.h"
#include "documents/recent_commands.h"
#include "documents/saving.h"
#include "gui/saving_fixture.h"

#include <QAction>
#include <QListWidget>

#include <memory>
#include <vector>

class DocumentEventsTest : public SavingTest {};

TEST_F(DocumentEventsTest, MadeAndSavedDocumentsAreToldToEveryListener) {
    start_with_intro("PRINT 1\r\n");
    std::vector<int> created_first, created_second, saved;
    DocumentEvents& events = app->document_events;
    QObject::connect(&events, &DocumentEvents::created, [&](int i) { created_first.push_back(i); });
    QObject::connect(&events, &DocumentEvents::created,
                     [&](int i) { created_second.push_back(i); });
    QObject::connect(&events, &DocumentEvents::saved, [&](int i) { saved.push_back(i); });
    const int before = app->documents.count();
    open("a.bas", "PRINT 2\r\n");
    new_document(*app);
    EXPECT_EQ(created_first, (std::vector<int>{before, before + 1}));
    EXPECT_EQ(created_second, created_first);
    activate_document(*app, before);
    type("PRINT 3\r\n");
    save(*app);
    EXPECT_EQ(saved, std::vector<int>{before});
}

TEST_F(DocumentEventsTest, TheLabelListAsksForTheOutlineOnlyWhileSomeoneDrawsIt) {
    start_with_intro("PRINT 1\r\n");
    open("a.bas", "Sub first\r\nEnd Sub\r\n");
    DocumentEvents& events = app->document_events;
    ASSERT_TRUE(events.outline_drawn()); // the analysis draws it
    app->settings.label_list_outline = 1;
    int asked = 0;
    QObject::connect(&events, &DocumentEvents::outline_wanted, [&]() { ++asked; });
    refresh_label_list(*app, app->documents.current);
    EXPECT_EQ(asked, 1);
    // With nobody drawing it, the list shows the names instead.
    QObject::disconnect(&events, &DocumentEvents::outline_wanted, nullptr, nullptr);
    EXPECT_FALSE(events.outline_drawn());
    app->label_list->clear();
    refresh_label_list(*app, app->documents.current);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(labels(), std::vector<std::string>{"first"});
}

TEST(RecentFilesOnItems, EachEntryGoesToItsItemAndItemsWithoutOneAreHidden) {
    std::vector<std::unique_ptr<QAction>> owned;
    for (int i = 0; i < 3; ++i) owned.push_back(std::make_unique<QAction>());
    // A missing item (null) is passed over; it takes its entry with it.
    const std::vector<QAction*> items = {owned[0].get(), nullptr, owned[1].get(), owned[2].get()};
    show_recent_files({"/a/one.bas", "/a/two.bas", "/b/three.bas"}, items);
    EXPECT_EQ(owned[0]->text().toStdString(), "&1 one.bas");
    EXPECT_EQ(owned[1]->text().toStdString(), "&3 three.bas");
    EXPECT_EQ(owned[1]->statusTip().toStdString(), "/b/three.bas");
    EXPECT_TRUE(owned[1]->isVisible());
    EXPECT_FALSE(owned[2]->isVisible());
}
