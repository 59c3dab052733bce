// The device session and the board's files made from plain records, with no window and no
// application around them: they reach the board, keep the connection's values in the settings
// and ask through the requesters they were given, and nothing of theirs needs a window.
#include "base/folders.h"
#include "base/settings.h"
#include "boardfiles/board_files.h"
#include "device/device_session.h"
#include "documents/document_list.h"
#include "support/app_fixture.h"
#include "support/board_host.h"
#include "support/scripted_requesters.h"

#include <gtest/gtest.h>

TEST(BoardWithoutWindow, SessionAndBoardFilesWorkFromTheirOwnRecords) {
    BoardHost host;
    ASSERT_FALSE(host.path().empty());
    Settings settings;
    Folders folders;
    ScriptedRequesters requesters;
    DocumentList documents;
    DeviceSession session(DeviceContext{settings, folders, requesters, documents});

    // The speed that restarts a USB board is refused in a box of the given requesters.
    EXPECT_FALSE(session.connect_to(ConnectionChoice{host.path(), 1200, 0, 0}));
    ASSERT_EQ(requesters.shown.size(), 1u);
    EXPECT_EQ(requesters.shown[0].title, "Connect to Maximite");

    ASSERT_TRUE(session.connect_to(ConnectionChoice{host.path(), 115200, 3, 0}));
    EXPECT_EQ(settings.comport, host.path());
    EXPECT_EQ(settings.char_delay, 3);
    EXPECT_EQ(session.panel(), nullptr); // no window to put the console in
    session.send_keys("\r");
    ASSERT_TRUE(wait_until([&] { return session.shows_prompt(); }));

    BoardFiles files(session, BoardFilesContext{settings, folders, requesters, documents});
    files.show_panel(); // no window: no panel, and no fault
    EXPECT_EQ(files.panel(), nullptr);
    host.board().files()["snake.bas"] = "PRINT \"snake\"\r\n";
    files.refresh(); // who the board is, then its files
    ASSERT_TRUE(wait_until([&] { return !files.listing().entries.empty() && !files.busy(); }));
    EXPECT_TRUE(files.identity().known);
    EXPECT_EQ(files.listing().entries.front().name, "snake.bas");
    EXPECT_EQ(requesters.shown.size(), 1u); // nothing went wrong on the way

    session.disconnect();
    EXPECT_EQ(session.state(), LinkState::closed);
}
