// The simulated PicoMite console.
#include "support/board_model.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <utility>

namespace {

constexpr char ctrl_c = 0x03;
constexpr std::uint8_t soh = 0x01, eot = 0x04, ack = 0x06, nak = 0x15, can = 0x18;
constexpr std::size_t block = 128;
constexpr int request_interval_ms = 2000; // the receiver's NAK before the first block
constexpr int request_count = 32;
constexpr int silence_ms = 1500; // after a bad block or EOT, before answering
constexpr int sender_wait_ms = 60000;

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// The text between the first pair of quotes, or empty.
std::string quoted(std::string_view line) {
    std::size_t open = line.find('"');
    if (open == std::string_view::npos) return {};
    std::size_t close = line.find('"', open + 1);
    if (close == std::string_view::npos) close = line.size();
    return std::string(line.substr(open + 1, close - open - 1));
}

std::vector<std::string> program_lines(const std::string& program) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < program.size()) {
        std::size_t end = program.find_first_of("\r\n", start);
        if (end == std::string::npos) end = program.size();
        lines.emplace_back(program, start, end - start);
        start = end + 1;
        if (end + 1 < program.size() && program[end] == '\r' && program[end + 1] == '\n') ++start;
    }
    return lines;
}

std::uint8_t sum_of(std::string_view data) {
    unsigned sum = 0;
    for (char c : data) sum += static_cast<std::uint8_t>(c);
    return static_cast<std::uint8_t>(sum);
}

std::uint16_t crc_of(std::string_view data) {
    std::uint16_t crc = 0;
    for (char c : data) {
        crc ^= static_cast<std::uint16_t>(static_cast<std::uint8_t>(c) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ 0x1021)
                                 : static_cast<std::uint16_t>(crc << 1);
    }
    return crc;
}

} // namespace

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
    std::string line(trim(typed));
    std::string word = upper(line);
    auto error = [&](const std::string& message) {
        say("Error : " + message.substr(0, 63) + "\r\n");
        prompt();
    };
    if (word.empty()) {
        prompt();
    } else if (word.starts_with("AUTOSAVE")) {
        std::string form(trim(std::string_view(word).substr(8)));
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
        std::string_view rest = trim(std::string_view(line).substr(6));
        char how = rest.empty() ? ' ' : static_cast<char>(std::toupper(rest.front()));
        rest = trim(rest.substr(std::min(rest.find(' '), rest.size())));
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
        say("PicoMite\r\n");
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

// ---- AUTOSAVE ----

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
        if (!trim(line).empty()) ++statements;
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
    say("[" + std::to_string(number) + "] " + std::string(trim(line)) + "\r\n");
    say("Error : " + message.substr(0, 63) + "\r\n");
    mode_ = Mode::console;
    prompt();
}

void BoardModel::run() {
    std::vector<std::string> lines = program_lines(program_);
    // Checked before the program starts: a SUB or FUNCTION name defined twice.
    std::set<std::string> names;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string word = upper(trim(lines[i]));
        for (std::string_view head : {"SUB ", "FUNCTION "}) {
            if (!word.starts_with(head)) continue;
            std::string name(trim(std::string_view(word).substr(head.size())));
            name = name.substr(0, name.find_first_of(" ("));
            if (!names.insert(name).second) {
                if (v6_03()) {
                    say("[" + std::to_string(i + 1) + "] " + std::string(trim(lines[i])) +
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
        std::string word = upper(trim(lines[i]));
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

// ---- XMODEM ----

void BoardModel::start_receive(const std::string& file) {
    mode_ = Mode::xmodem_receive;
    xmodem_file_ = file;
    frame_.clear();
    received_.clear();
    expected_ = 1;
    requests_ = 1;
    errors_ = 0;
    cancels_ = 0;
    bad_block_ = eot_seen_ = fault_done_ = false;
    last_byte_ms_ = now_;
    next_request_ms_ = now_ + request_interval_ms;
    out_.push_back(static_cast<char>(nak)); // the checksum variant, at once
}

void BoardModel::receive_byte(std::uint8_t byte) {
    last_byte_ms_ = now_;
    if (bad_block_) return; // after a bad block everything is thrown away until a silence
    if (!frame_.empty()) {
        frame_.push_back(static_cast<char>(byte));
        if (frame_.size() < 3 + block + 1) return;
        std::string frame = std::exchange(frame_, {});
        auto number = static_cast<std::uint8_t>(frame[1]);
        using Fault = BoardConfig::XmodemFault;
        if (!fault_done_ && config_.fault != Fault::none && number == config_.fault_block) {
            fault_done_ = true;
            if (config_.fault == Fault::lose_block) return;
            if (config_.fault == Fault::corrupt_block) frame[10] ^= 0x55;
            if (config_.fault == Fault::cancel) {
                out_ += std::string(3, static_cast<char>(can));
                mode_ = Mode::console;
                say("Error : Cancelled\r\n");
                prompt();
                return;
            }
        }
        std::string_view data = std::string_view(frame).substr(3, block);
        bool intact = static_cast<std::uint8_t>(~frame[2]) == number &&
                      sum_of(data) == static_cast<std::uint8_t>(frame[3 + block]);
        if (intact && number == expected_ && !xmodem_file_.empty() &&
            !drives_.fits(xmodem_drive_, received_.size() + block)) {
            // The write fails: the error ends the command, and what follows is typed at the
            // prompt.
            mode_ = Mode::console;
            say("Error : Disk full\r\n");
            prompt();
            return;
        }
        if (intact && number == expected_) {
            received_ += data;
            ++expected_;
            out_.push_back(static_cast<char>(ack));
        } else if (intact && number == static_cast<std::uint8_t>(expected_ - 1)) {
            out_.push_back(static_cast<char>(ack)); // a repeat whose ACK was lost
        } else {
            bad_block_ = true; // answered by NAK after a silence
        }
        return;
    }
    if (byte == soh) {
        frame_.push_back(static_cast<char>(byte));
        requests_ = -1; // started: no more requests
        cancels_ = 0;
    } else if (byte == eot && requests_ < 0) {
        eot_seen_ = true;
    } else if (byte == can) {
        if (++cancels_ >= 2) {
            mode_ = Mode::console;
            say("Error : Cancelled by remote\r\n");
            prompt();
        }
    }
}

void BoardModel::finish_receive() {
    mode_ = Mode::console;
    if (xmodem_file_.empty()) {
        std::string program;
        for (char c : received_)
            if (c != 0x1A && c != 0) program.push_back(c);
        program_ = program;
        say("Saved " + std::to_string(program_.size()) + " bytes\r\n");
    } else {
        // Every block whole, padding included.
        if (!drives_.store(xmodem_drive_, xmodem_file_, received_)) {
            say("Error : Disk full\r\n");
        }
    }
    prompt();
}

void BoardModel::start_send(const std::string& file) {
    std::string data;
    if (file.empty()) {
        for (const std::string& line : program_lines(program_)) data += line + "\r\n";
        if (v6_03() && !data.empty()) data.pop_back(); // the final LF goes
    } else {
        BoardDrive& drive = drives_.drive(xmodem_drive_);
        std::optional<std::string> key = drive.file_key(file);
        if (!key) {
            say("Error : Could not find the file\r\n");
            prompt();
            return;
        }
        data = drive.files[*key];
    }
    mode_ = Mode::xmodem_send;
    send_data_ = data;
    send_block_ = 0;
    send_started_ = send_eot_ = false;
    cancels_ = 0;
    send_deadline_ms_ = now_ + sender_wait_ms;
}

void BoardModel::send_block() {
    if (send_block_ * block >= send_data_.size()) {
        out_.push_back(static_cast<char>(eot));
        send_eot_ = true;
        return;
    }
    std::string data = send_data_.substr(send_block_ * block, block);
    data.resize(block, '\0');
    auto number = static_cast<std::uint8_t>(send_block_ + 1);
    out_.push_back(static_cast<char>(soh));
    out_.push_back(static_cast<char>(number));
    out_.push_back(static_cast<char>(~number));
    out_ += data;
    if (send_crc_) {
        std::uint16_t crc = crc_of(data);
        out_.push_back(static_cast<char>(crc >> 8));
        out_.push_back(static_cast<char>(crc & 0xFF));
    } else {
        out_.push_back(static_cast<char>(sum_of(data)));
    }
}

void BoardModel::send_byte(std::uint8_t byte) {
    if (byte == can) {
        if (++cancels_ >= 2) {
            mode_ = Mode::console;
            say("Error : Cancelled by remote\r\n");
            prompt();
        }
        return;
    }
    cancels_ = 0;
    if (!send_started_) {
        // 6.00.03 answers only the checksum request; newer firmware either.
        if (byte == nak || (byte == 'C' && v6_03())) {
            send_started_ = true;
            send_crc_ = byte == 'C';
            send_block();
        }
        return;
    }
    if (byte == ack) {
        if (send_eot_) {
            mode_ = Mode::console;
            prompt();
            return;
        }
        ++send_block_;
        send_block();
    } else if (byte == nak) {
        if (send_eot_)
            out_.push_back(static_cast<char>(eot));
        else
            send_block();
    }
}

void BoardModel::xmodem_tick() {
    if (mode_ == Mode::xmodem_send && !send_started_ && now_ >= send_deadline_ms_) {
        mode_ = Mode::console;
        say("Error : Receiver did not respond\r\n");
        prompt();
        return;
    }
    if (mode_ != Mode::xmodem_receive) return;
    if (requests_ > 0 && now_ >= next_request_ms_) {
        if (requests_ >= request_count) {
            mode_ = Mode::console;
            say("Error : Remote did not respond\r\n");
            prompt();
            return;
        }
        ++requests_;
        next_request_ms_ += request_interval_ms;
        out_.push_back(static_cast<char>(nak));
    }
    if (now_ - last_byte_ms_ < silence_ms) return;
    if (eot_seen_) {
        out_.push_back(static_cast<char>(ack));
        finish_receive();
    } else if (bad_block_ || !frame_.empty()) {
        frame_.clear();
        bad_block_ = false;
        if (++errors_ > 10) {
            mode_ = Mode::console;
            say("Error : Too many errors\r\n");
            prompt();
            return;
        }
        last_byte_ms_ = now_;
        out_.push_back(static_cast<char>(nak));
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
