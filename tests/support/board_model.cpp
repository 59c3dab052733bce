// The simulated PicoMite console.
#include "support/board_model.h"

#include "base/ascii.h"
#include "support/board_text.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <utility>

namespace {

constexpr char ctrl_c = 0x03;

} // namespace

using namespace board_text;

BoardModel::BoardModel(BoardConfig config) : config_(config), drives_(config.card) {}

std::string BoardModel::start() {
    if (config_.silent || vanished_) return {};
    if (config_.banner) {
        say(v6_03() ? "\rPicoMite MMBasic RP2040 V6.03.00\r\n"
                    : "\rPicoMite MMBasic RP2040 Edition V6.00.03\r\n");
        say("Copyright 2011-2025 Geoff Graham\r\nCopyright 2016-2025 Peter Mather\r\n\r\n");
    }
    prompt();
    return std::exchange(out_, {});
}

void BoardModel::say(std::string_view text) {
    out_ += text;
    bool escape = false;
    for (char c : text) {
        if (escape) {
            if (std::isalpha(static_cast<unsigned char>(c))) escape = false;
            continue;
        }
        if (c == 0x1B)
            escape = true;
        else if (c == '\r' || c == '\n')
            column_ = 0;
        else if (c == '\b')
            column_ = std::max(column_ - 1, 0);
        else if (static_cast<unsigned char>(c) >= 0x20)
            ++column_;
    }
}

void BoardModel::prompt() {
    if (column_ != 0) say("\r\n");
    say("> ");
    if (v6_03()) say("\x1b[?7h");
}

std::string BoardModel::receive(std::string_view bytes, std::int64_t now_ms) {
    if (config_.silent || vanished_) return {};
    advance(now_ms);
    bool transfer = mode_ == Mode::xmodem_receive || mode_ == Mode::xmodem_send;
    for (char c : bytes) {
        if (c == ctrl_c && !transfer) {
            // Taken as it arrives: the ring is emptied, and what comes with it may be lost.
            ring_.clear();
            discard_ = true;
            do_break();
            continue;
        }
        if (discard_) continue;
        if (ring_.size() >= config_.ring && !v6_03() && !transfer) {
            ring_.pop_front();
            ++lost_;
        }
        ring_.push_back(c);
    }
    discard_ = false;
    advance(now_ms);
    return std::exchange(out_, {});
}

std::string BoardModel::tick(std::int64_t now_ms) {
    if (config_.silent || vanished_) return {};
    advance(now_ms);
    return std::exchange(out_, {});
}

void BoardModel::advance(std::int64_t now_ms) {
    now_ = std::max(now_, now_ms);
    const std::int64_t now_us = now_ * 1000;
    while (!ring_.empty()) {
        bool paced =
            config_.byte_us > 0 && mode_ != Mode::xmodem_receive && mode_ != Mode::xmodem_send;
        char c = ring_.front();
        if (paced) {
            if (clock_us_ > now_us) break;
            clock_us_ += config_.byte_us + (c == '\r' ? config_.line_us : 0);
        }
        ring_.pop_front();
        process(c);
    }
    if (ring_.empty() && clock_us_ < now_us) clock_us_ = now_us;
    xmodem_tick();
}

void BoardModel::process(char c) {
    switch (mode_) {
    case Mode::console:
        console_byte(c);
        break;
    case Mode::autosave:
        autosave_byte(c);
        break;
    case Mode::running:
        break; // the program does not read the console
    case Mode::xmodem_receive:
        receive_byte(static_cast<std::uint8_t>(c));
        break;
    case Mode::xmodem_send:
        send_byte(static_cast<std::uint8_t>(c));
        break;
    case Mode::listing:
        say("\r" + std::string(17, ' ') + "\r");
        list_more();
        break;
    }
}

void BoardModel::do_break() {
    line_.clear();
    escape_.clear();
    collected_.clear();
    autosave_line_.clear();
    mode_ = Mode::console;
    prompt();
}

// ---- the prompt ----

void BoardModel::console_byte(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (!escape_.empty()) {
        escape_.push_back(c);
        bool ended = escape_.size() >= 3 && (std::isalpha(byte) || c == '~');
        if (ended || escape_.size() > 6) escape_.clear(); // keys do nothing at an empty line
        return;
    }
    if (byte == 0x1B) {
        escape_.push_back(c);
    } else if (c == '\r' || c == '\n') {
        say("\r\n");
        command(std::exchange(line_, {}));
    } else if (c == '\b') {
        if (!line_.empty()) {
            line_.pop_back();
            say("\b \b");
        }
    } else if (byte >= 0x20 && byte <= 0x7E) {
        if (line_.size() < 254) {
            line_.push_back(c);
            say(std::string(1, c));
        }
    }
}

void BoardModel::command(const std::string& typed) {
    std::string line(trim_blanks(typed));
    std::string word = upper_text(line);
    auto error = [&](const std::string& message) {
        say("Error : " + message.substr(0, 63) + "\r\n");
        prompt();
    };
    if (word.empty()) {
        prompt();
    } else if (word.starts_with("AUTOSAVE")) {
        std::string form(trim_blanks(std::string_view(word).substr(8)));
        if (form.empty() || form == "CRUNCH" || form == "C" || form == "APPEND" ||
            (form == "N" && v6_03())) {
            mode_ = Mode::autosave;
            collected_.clear();
            autosave_line_.clear();
            autosave_append_ = form == "APPEND";
            autosave_echo_ = form != "N";
            last_was_cr_ = false;
            first_byte_ = true;
            escape_.clear();
        } else {
            error("Syntax");
        }
    } else if (word == "RUN") {
        run();
    } else if (word == "NEW") {
        program_.clear();
        prompt();
    } else if (word == "LIST") {
        for (const std::string& l : program_lines(program_)) say(l + "\r\n");
        prompt();
    } else if (word.starts_with("XMODEM")) {
        std::string_view rest = trim_blanks(std::string_view(line).substr(6));
        char how = rest.empty() ? ' ' : static_cast<char>(std::toupper(rest.front()));
        rest = trim_blanks(rest.substr(std::min(rest.find(' '), rest.size())));
        std::optional<std::string> file =
            rest.empty() ? std::optional<std::string>("") : board_string_value(rest);
        if (!file || (how != 'R' && how != 'S')) return error("Syntax");
        std::string path, failure;
        xmodem_drive_ = drives_.current();
        if (!file->empty() && !drives_.resolve(*file, xmodem_drive_, path, failure))
            return error(failure);
        if (how == 'R')
            start_receive(file->empty() ? "" : path);
        else
            start_send(file->empty() ? "" : path);
    } else if (std::optional<DriveAnswer> answer = drives_.command(line)) {
        say(answer->text);
        if (!answer->listing) return prompt();
        listing_ = std::move(answer->lines);
        listed_ = 0;
        mode_ = Mode::listing;
        list_more();
    } else if (word == "PRINT MM.DEVICE$") {
        say(config_.device + "\r\n");
        prompt();
    } else if (word == "PRINT MM.VER") {
        say(v6_03() ? "6.03\r\n" : "6.0003\r\n");
        prompt();
    } else if (word == "OPTION LIST") {
        say("PicoMite MMBasic RP2040 V6.03.00\r\nOPTION COLOURCODE ON\r\nOPTION CPUSPEED "
            "(KHz) 200000\r\n");
        prompt();
    } else if (word.starts_with("PRINT \"")) {
        say(quoted(line) + "\r\n");
        prompt();
    } else if (word.find('=') != std::string::npos) {
        prompt(); // an assignment
    } else {
        error("Unknown command");
    }
}

// ---- FILES ----

void BoardModel::list_more() {
    while (listed_ < listing_.size()) {
        bool summary = listed_ + 1 == listing_.size();
        say(listing_[listed_++] + "\r\n");
        if (!summary && listed_ + 1 < listing_.size() &&
            (listed_ == 20 || (listed_ > 20 && (listed_ - 20) % 21 == 0))) {
            say("PRESS ANY KEY ...");
            return;
        }
    }
    mode_ = Mode::console;
    prompt();
}
