// A stand-in for the desktop interpreter MMBasic for Linux, for the tests of the local run. It
// behaves as that interpreter does on its console where the editor depends on it: the argument
// is parsed again as BASIC would (a path with a blank must come quoted), files are found from
// the current folder, the screen size comes from the terminal, MM.INFO(HPOS) asks the terminal
// with ESC[6n and waits 10 s, and errors read "Error in line N: message" (or "Error in <path>
// line N: message" for an included file) right after whatever the program printed. Without a
// program it prompts, each prompt after the window-title sequence, and reports "Error: message".
//
// It runs a tiny BASIC: PRINT of strings and numeric expressions (+ - * /, MM.HRES, MM.VRES,
// MM.INFO(HPOS)) with ';', PRINT @(x,y), LINE INPUT, #INCLUDE "file", END, comments.
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Line {
    std::string file; // absolute path for an included file, empty for the program itself
    int number = 0;
    std::string text;
};

struct Failure {
    std::string message;
};

void out(const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(1, text.data() + done, text.size() - done);
        if (n <= 0) std::exit(3);
        done += static_cast<std::size_t>(n);
    }
}

// One byte from the console, or nothing after `timeout_ms` (-1 waits for ever) or at its end.
std::optional<char> read_byte(int timeout_ms) {
    pollfd p{0, POLLIN, 0};
    if (::poll(&p, 1, timeout_ms) <= 0) return std::nullopt;
    char c = 0;
    if (::read(0, &c, 1) != 1) return std::nullopt;
    return c;
}

winsize terminal_size() {
    winsize size{};
    if (::ioctl(1, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) size = winsize{24, 80, 0, 0};
    return size;
}

// The cursor's column (0-based) as the terminal reports it.
int cursor_column() {
    out("\x1b[6n");
    std::string answer;
    while (answer.empty() || answer.back() != 'R') {
        std::optional<char> c = read_byte(10000);
        if (!c) throw Failure{"Cannot read the cursor position"};
        if (answer.empty() && *c != '\x1b') continue;
        answer.push_back(*c);
        if (answer.size() > 32) answer.clear();
    }
    std::size_t semicolon = answer.find(';');
    if (semicolon == std::string::npos) throw Failure{"Cannot read the cursor position"};
    return std::atoi(answer.c_str() + semicolon + 1) - 1;
}

class Parser {
  public:
    explicit Parser(std::string text) : text_(std::move(text)) {}

    void skip_blanks() {
        while (at_ < text_.size() && text_[at_] == ' ') ++at_;
    }
    bool at_end() {
        skip_blanks();
        return at_ >= text_.size() || text_[at_] == '\'';
    }
    bool take(const std::string& word) {
        skip_blanks();
        if (text_.size() - at_ < word.size()) return false;
        for (std::size_t i = 0; i < word.size(); ++i)
            if (std::toupper(static_cast<unsigned char>(text_[at_ + i])) != word[i]) return false;
        at_ += word.size();
        return true;
    }
    bool peek(char c) {
        skip_blanks();
        return at_ < text_.size() && text_[at_] == c;
    }
    void expect(char c) {
        if (!peek(c)) throw Failure{"Syntax"};
        ++at_;
    }
    std::string string_literal() {
        expect('"');
        std::size_t end = text_.find('"', at_);
        if (end == std::string::npos) end = text_.size();
        std::string s = text_.substr(at_, end - at_);
        at_ = std::min(end + 1, text_.size());
        return s;
    }
    double expression() {
        double value = term();
        for (;;) {
            if (take("+"))
                value += term();
            else if (take("-"))
                value -= term();
            else
                return value;
        }
    }

  private:
    double term() {
        double value = factor();
        for (;;) {
            if (take("*")) {
                value *= factor();
            } else if (take("/")) {
                double divisor = factor();
                if (divisor == 0) throw Failure{"Divide by zero"};
                value /= divisor;
            } else {
                return value;
            }
        }
    }
    double factor() {
        if (take("-")) return -factor();
        if (take("(")) {
            double value = expression();
            expect(')');
            return value;
        }
        if (take("MM.HRES")) return terminal_size().ws_col;
        if (take("MM.VRES")) return terminal_size().ws_row;
        if (take("MM.INFO(HPOS)")) return cursor_column();
        skip_blanks();
        std::size_t start = at_;
        while (at_ < text_.size() &&
               (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.'))
            ++at_;
        if (start == at_) throw Failure{"Syntax"};
        return std::strtod(text_.substr(start, at_ - start).c_str(), nullptr);
    }

    std::string text_;
    std::size_t at_ = 0;
};

std::string number_text(double value) {
    char buffer[64];
    if (value == static_cast<long long>(value) && value < 1e15 && value > -1e15)
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    else
        std::snprintf(buffer, sizeof buffer, "%g", value);
    return (value >= 0 ? " " : "") + std::string(buffer);
}

void print(Parser& p) {
    bool newline = true;
    while (!p.at_end()) {
        newline = true;
        if (p.take("@(")) {
            int x = static_cast<int>(p.expression());
            p.expect(',');
            int y = static_cast<int>(p.expression());
            p.expect(')');
            out("\x1b[" + std::to_string(y + 1) + ";" + std::to_string(x + 1) + "H");
            continue; // what follows @() needs no separator
        } else if (p.peek('"')) {
            out(p.string_literal());
        } else {
            out(number_text(p.expression()));
        }
        if (p.take(";"))
            newline = false;
        else if (!p.at_end())
            throw Failure{"Syntax"};
    }
    if (newline) out("\r\n");
}

// A line typed at the console, echoed as it comes.
std::string read_line() {
    std::string line;
    for (;;) {
        std::optional<char> c = read_byte(-1);
        if (!c || *c == '\r' || *c == '\n') break;
        if (*c == '\b' || *c == 0x7F) {
            if (!line.empty()) {
                line.pop_back();
                out("\b \b");
            }
        } else if (static_cast<unsigned char>(*c) >= 0x20) {
            line.push_back(*c);
            out(std::string(1, *c));
        }
    }
    out("\r\n");
    return line;
}

// Runs one statement; false for END.
bool execute(const std::string& statement) {
    Parser p(statement);
    if (p.at_end() || p.take("REM")) return true;
    if (p.take("PRINT") || p.take("?")) {
        print(p);
        return true;
    }
    if (p.take("LINE INPUT")) {
        read_line();
        return true;
    }
    if (p.take("END")) return false;
    throw Failure{"Unknown command"};
}

// The argument as the interpreter reads it: a quoted string, or everything up to a blank.
std::string program_argument(const std::string& argument) {
    std::size_t start = argument.find_first_not_of(' ');
    if (start == std::string::npos) return {};
    if (argument[start] == '"') {
        std::size_t end = argument.find('"', start + 1);
        return argument.substr(start + 1, end == std::string::npos ? end : end - start - 1);
    }
    return argument.substr(start, argument.find(' ', start) - start);
}

std::string absolute(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// The program's lines with its #INCLUDE files' lines in their place.
bool load(const std::string& path, const std::string& shown_as, std::vector<Line>& lines,
          int depth) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::string text;
    for (int number = 1; std::getline(file, text); ++number) {
        if (!text.empty() && text.back() == '\r') text.pop_back();
        Parser p(text);
        if (p.take("#INCLUDE")) {
            std::string name = p.string_literal();
            if (depth > 4 || !load(name, absolute(name), lines, depth + 1)) {
                out("Error in line " + std::to_string(number) + ": Could not find the file\r\n");
                std::exit(1);
            }
            continue;
        }
        lines.push_back({shown_as, number, text});
    }
    return true;
}

void interactive() {
    for (;;) {
        out("\x1b]0;MMBasic - Untitled\x07> ");
        std::string line = read_line();
        try {
            if (!execute(line)) return;
        } catch (const Failure& failure) {
            out("Error: " + failure.message + "\r\n");
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    termios saved{};
    const bool terminal = ::tcgetattr(0, &saved) == 0;
    if (terminal) {
        // Its console is raw, as a board's: it echoes and reads the terminal's answers itself.
        termios raw = saved;
        raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
        raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | IXON);
        raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        ::tcsetattr(0, TCSANOW, &raw);
    }
    int status = 0;
    if (argc < 2) {
        interactive();
    } else {
        std::vector<Line> lines;
        if (!load(program_argument(argv[1]), "", lines, 0)) {
            out("Error: No such file or directory\r\n");
            status = 1;
        }
        for (const Line& line : lines) {
            try {
                if (!execute(line.text)) break;
            } catch (const Failure& failure) {
                out("Error in " + (line.file.empty() ? std::string() : line.file + " ") + "line " +
                    std::to_string(line.number) + ": " + failure.message + "\r\n");
                status = 1;
                break;
            }
        }
    }
    if (terminal) ::tcsetattr(0, TCSANOW, &saved);
    return status;
}
