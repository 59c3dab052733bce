// The simulated board's program memory: AUTOSAVE and RUN.
#include "support/board_model.h"

#include "base/ascii.h"
#include "support/board_text.h"

#include <algorithm>
#include <utility>

using namespace board_text;

void BoardModel::autosave_byte(char c) {
    auto byte = static_cast<unsigned char>(c);
    bool first = std::exchange(first_byte_, false);
    bool after_cr = std::exchange(last_was_cr_, false);
    if (!escape_.empty() || byte == 0x1B) {
        escape_.push_back(c);
        if (escape_ == "\x1bOP" || escape_ == "\x1b[11~") return store_autosave(false);
        if (escape_ == "\x1bOQ" || escape_ == "\x1b[12~") return store_autosave(true);
        bool ended = escape_.size() >= 3 && (std::isalpha(byte) || c == '~');
        if (ended || escape_.size() > 6) escape_.clear();
        return;
    }
    if (byte == 0x91) return store_autosave(false);
    if (byte == 0x92) return store_autosave(true);
    if (byte == 0x1A) return store_autosave(false);
    auto echo = [&](std::string_view text) {
        if (autosave_echo_) say(text);
    };
    if (c == '\r') {
        echo("\r\n");
        end_autosave_line();
        last_was_cr_ = true;
    } else if (c == '\n') {
        if (after_cr || first) return;
        echo("\n");
        end_autosave_line();
    } else if (c == '\t' || (byte >= 0x20 && byte <= 0x7E)) {
        char kept = c == '\t' ? ' ' : c;
        autosave_line_.push_back(kept);
        echo(std::string(1, kept));
        if (autosave_line_.size() >= 255 ||
            collected_.size() + autosave_line_.size() > config_.program_memory)
            autosave_error("Not enough memory");
    }
    // Other control characters and bytes 0x80 to 0xFF are dropped.
}

void BoardModel::end_autosave_line() {
    collected_ += autosave_line_;
    collected_.push_back('\r');
    autosave_line_.clear();
}

void BoardModel::autosave_error(const std::string& message) {
    collected_.clear();
    autosave_line_.clear();
    mode_ = Mode::console;
    if (column_ != 0) say("\r\n");
    say("Error : " + message + "\r\n");
    prompt();
    // What is still in the ring is read at the prompt, as commands.
}

void BoardModel::store_autosave(bool run_after) {
    escape_.clear();
    if (!autosave_line_.empty()) end_autosave_line();
    program_ = autosave_append_ ? program_ + collected_ : collected_;
    collected_.clear();
    ++autosaves_;
    ring_.clear(); // pending input is discarded
    mode_ = Mode::console;
    std::size_t stored = 0, statements = 0;
    for (const std::string& line : program_lines(program_)) {
        stored += line.size();
        if (!trim_blanks(line).empty()) ++statements;
    }
    if (column_ != 0) say("\r\n");
    say("Saved " + std::to_string(stored + 2 * (statements + 1) + 3) + " bytes\r\n");
    if (run_after)
        run();
    else
        prompt();
}

// ---- running ----

void BoardModel::run_error(long number, std::string_view line, const std::string& message) {
    if (column_ != 0) say("\r\n");
    say("[" + std::to_string(number) + "] " + std::string(trim_blanks(line)) + "\r\n");
    say("Error : " + message.substr(0, 63) + "\r\n");
    mode_ = Mode::console;
    prompt();
}

void BoardModel::run() {
    std::vector<std::string> lines = program_lines(program_);
    // Checked before the program starts: a SUB or FUNCTION name defined twice.
    std::set<std::string> names;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string word = upper_text(trim_blanks(lines[i]));
        for (std::string_view head : {"SUB ", "FUNCTION "}) {
            if (!word.starts_with(head)) continue;
            std::string name(trim_blanks(std::string_view(word).substr(head.size())));
            name = name.substr(0, name.find_first_of(" ("));
            if (!names.insert(name).second) {
                if (v6_03()) {
                    say("[" + std::to_string(i + 1) + "] " + std::string(trim_blanks(lines[i])) +
                        "\r\nError: Duplicate name\r\n");
                    prompt();
                } else {
                    run_error(static_cast<long>(i + 1), lines[i], "Duplicate name");
                }
                return;
            }
        }
    }
    mode_ = Mode::running;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string word = upper_text(trim_blanks(lines[i]));
        long number = static_cast<long>(i + 1);
        if (word.starts_with("PRINT \"")) {
            say(quoted(lines[i]) + "\r\n");
        } else if (word.starts_with("ERROR")) {
            return run_error(number, lines[i], quoted(lines[i]));
        } else if (word.find("/0") != std::string::npos) {
            return run_error(number, lines[i], "Divide by zero");
        } else if (word == "DO") {
            return; // runs until Ctrl-C
        } else if (word == "END") {
            break;
        }
    }
    mode_ = Mode::console;
    prompt();
}
