// The fixture of the saving tests: opening, typing, the dialogs shown and a full disk.
#pragma once

#include "documents/document_list.h"
#include "documents/opening.h"
#include "documents/tabbar_widget.h"
#include "editor/editor_widget.h"
#include "editor/sci.h"
#include "support/app_fixture.h"

#include <string>

class SavingTest : public AppFixture {
  protected:
    void start_with_intro(const std::string& intro) {
        AppFixture::start_with_intro(intro);
        app->settings.confirm_before_exit = 0;
    }
    // Opens `bytes` as the file `name` in the temporary home; it becomes the current document.
    std::string open(const std::string& name, const std::string& bytes) {
        std::string file = path(name);
        write_file(file, bytes);
        open_files(*app, file);
        return file;
    }
    void type(const std::string& text) {
        sci_send(app->editor, Sci::SCI_DOCUMENTEND);
        sci_add_text(app->editor, text);
    }
    bool modified() const { return sci_send(app->editor, Sci::SCI_GETMODIFY) != 0; }
    const Document& current() const { return app->documents.documents[app->documents.current]; }
    std::string tab_text(int position) const { return app->tab_bar->bar().items[position].text; }
    void expect_dialog(std::size_t index, const std::string& title, const std::string& text,
                       Buttons buttons = Buttons::Ok) {
        ASSERT_LT(index, requesters->shown.size());
        EXPECT_EQ(requesters->shown[index].title, title);
        EXPECT_EQ(requesters->shown[index].text, text);
        EXPECT_EQ(requesters->shown[index].buttons, buttons);
    }
    // Makes every write fail as a full disk does, after the first chunk.
    void fill_the_disk() {
        app->file_write_hooks.before_chunk = [](std::size_t, std::size_t) {
            return std::string("No space left on device");
        };
    }
};

// Every byte but CR and LF (zero included), on lines ended as the line-end mode wants.
inline std::string every_byte_on_lines(const char* line_end) {
    std::string text;
    for (int c = 0; c < 256; ++c) {
        if (c == '\r' || c == '\n') continue;
        text.push_back(static_cast<char>(c));
        if (c % 32 == 31) text += line_end;
    }
    return text + line_end;
}
