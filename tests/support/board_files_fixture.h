// A running editor connected to the simulated board over a pseudo-terminal, with helpers for
// the Board files panel: its list, its buttons, and waiting for the board's files to be idle.
#pragma once

#include "app/board_files_command_list.h"
#include "app/commands.h"
#include "app/device_command_list.h"
#include "app/menu_ids.h"
#include "boardfiles/board_files.h"
#include "boardfiles/board_files_panel.h"
#include "device/device_session.h"
#include "support/app_fixture.h"
#include "support/board_host.h"

#include <QPushButton>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class BoardFilesTest : public AppFixture {
  protected:
    // `prepare` sets the board up before the editor connects.
    void connect_board(BoardConfig config = {},
                       const std::function<void(BoardModel&)>& prepare = {}) {
        open_board(config, [&](BoardHost& h) {
            if (prepare) prepare(h.board());
        });
        if (HasFatalFailure()) return;
        ASSERT_TRUE(wait_until([&] { return device_session(*app).shows_prompt(); }));
        // Connecting asks the board who it is.
        ASSERT_TRUE(wait_until([&] { return files().identity().known && idle(); }));
    }
    // Starts the editor (`settings` may change its settings first) and connects to a new board.
    void open_board(BoardConfig config, const std::function<void(BoardHost&)>& prepare = {},
                    const std::function<void(Settings&)>& settings = {}) {
        host = std::make_unique<BoardHost>(config);
        ASSERT_FALSE(host->path().empty());
        if (prepare) prepare(*host);
        start();
        if (settings) settings(app->settings);
        device_session(*app).choose_connection = [this](QWidget*, Settings&) {
            return std::optional<ConnectionChoice>(ConnectionChoice{host->path(), 115200, 0, 0});
        };
        run_command(*app, menu_id::connect);
        ASSERT_EQ(device_session(*app).state(), LinkState::connected);
    }
    BoardFiles& files() { return board_files(*app); }
    QTreeWidget* list() { return files().panel()->list(); }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out.push_back(list()->topLevelItem(i)->text(0).toStdString());
        return out;
    }
    bool idle() { return !files().busy(); }
    bool listed(const std::vector<std::string>& expected) {
        return wait_until([&] { return idle() && names() == expected; }, 10000);
    }
    void select(const std::string& name) {
        list()->clearSelection();
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            if (list()->topLevelItem(i)->text(0).toStdString() == name)
                list()->topLevelItem(i)->setSelected(true);
    }
    void click(const char* button) {
        auto* b = files().panel()->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr);
        b->click();
    }
    void double_click(const std::string& name) {
        for (int i = 0; i < list()->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list()->topLevelItem(i);
            if (item->text(0).toStdString() == name) emit list()->itemDoubleClicked(item, 0);
        }
    }
    std::unique_ptr<BoardHost> host;
};
