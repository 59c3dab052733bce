// Requesters that answer from a script and record every dialog, for tests.
#pragma once

#include "ui/requesters.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct ShownDialog {
    std::string kind; // "message", "input", "open", "save"
    std::string title;
    std::string text; // message text, input prompt, or the requester's initial path
    Buttons buttons = Buttons::Ok;
    std::string filter; // the file requesters' filter list
};

class ScriptedRequesters : public Requesters {
  public:
    // Queued answers, taken in order. A dialog with no queued answer fails the test.
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> inputs;
    std::deque<std::string> files; // results of open and save requesters ("" = cancelled)
    std::deque<std::optional<std::uint32_t>> colours; // chosen colours (nothing = cancelled)
    std::deque<std::string> print_files;              // PDF files printing goes to
    std::vector<ShownDialog> shown;
    // Runs while each message box is open, before it is answered (another program at work
    // while the user reads the question).
    std::function<void(const ShownDialog& dialog)> while_shown;

    Answer message(const std::string& title, const std::string& text, Buttons buttons) override;
    // Answered from `answers` like a message; recorded as kind "recovery".
    Answer recovery(const std::string& title, const std::string& text) override;
    std::optional<std::string> input(const std::string& title, const std::string& prompt,
                                     const std::string& initial) override;
    std::string open_file(const std::string& title, const std::string& initial,
                          const std::string& filter) override;
    std::string save_file(const std::string& title, const std::string& initial,
                          const std::string& filter) override;
    std::optional<std::uint32_t> choose_colour(const std::string& title,
                                               std::uint32_t initial) override;
    bool print(const std::string& title,
               const std::function<void(QPrinter& printer)>& render) override;
};
