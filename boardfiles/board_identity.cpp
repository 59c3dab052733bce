// Program memory by board, and words of other boards.
#include "boardfiles/board_identity.h"

#include "base/ascii.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::size_t kb = 1024;

// The boards' names as MM.DEVICE$ gives them, and as the help's marks write them, in lower case
// without blanks. The help calls the WebMite "PicoMite W".
constexpr std::array<std::string_view, 5> devices = {"picomite", "picomitevga", "picomitehdmi",
                                                     "webmite", "picocalc"};
constexpr std::array<std::string_view, 3> other_boards = {"colourmaximite2", "theoriginalmaximite",
                                                          "picomitew"};

std::string squeezed(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != ' ') out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return out == "picomitew" ? std::string("webmite") : out;
}

bool is_device(std::string_view name) {
    return std::find(devices.begin(), devices.end(), name) != devices.end();
}

// The boards a description's closing "(...)" names, squeezed; empty when it names none or
// anything that is not a board ("(the default)", "(degrees)").
std::vector<std::string> marked_boards(std::string_view description, std::string& mark) {
    std::string_view text = trim_blanks(description);
    if (text.ends_with('.')) text.remove_suffix(1);
    if (!text.ends_with(')')) return {};
    const std::size_t open = text.rfind('(');
    if (open == std::string_view::npos) return {};
    mark = std::string(text.substr(open + 1, text.size() - open - 2));
    std::vector<std::string> boards;
    std::string_view rest = mark;
    std::string family; // "PicoMite" of "PicoMite VGA and HDMI"
    while (!rest.empty()) {
        std::size_t end = std::min(rest.find(" and "), rest.find(", "));
        std::string_view part = trim_blanks(rest.substr(0, end));
        rest = end == std::string_view::npos
                   ? std::string_view()
                   : rest.substr(end + (rest.compare(end, 5, " and ") == 0 ? 5 : 2));
        std::string name(part);
        if (family.empty()) family = name.substr(0, name.find(' '));
        if (squeezed(name).find("mite") == std::string::npos) name = family + " " + name;
        const std::string board = squeezed(name);
        if (!is_device(board) &&
            std::find(other_boards.begin(), other_boards.end(), board) == other_boards.end())
            return {};
        boards.push_back(board);
    }
    return boards;
}

bool word_byte(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

// The words a statement's command is looked up by: its first, and the one after OPTION.
std::vector<std::string> command_words(std::string_view statement) {
    std::vector<std::string> words;
    std::size_t i = statement.find_first_not_of(" \t0123456789"); // a line number goes first
    if (i == std::string_view::npos) return words;
    for (int n = 0; n < 2; ++n) {
        while (i < statement.size() && (statement[i] == ' ' || statement[i] == '\t')) ++i;
        std::size_t start = i;
        while (i < statement.size() && word_byte(statement[i])) ++i;
        if (i == start || !std::isalpha(static_cast<unsigned char>(statement[start]))) break;
        // "page = 3" gives a variable a value: no command.
        const std::size_t next = statement.find_first_not_of(" \t", i);
        if (next != std::string_view::npos && statement[next] == '=') break;
        words.push_back(upper_text(statement.substr(start, i - start)));
        if (words.front() != "OPTION") break;
    }
    return words;
}

} // namespace

std::string chip_of_firmware_line(std::string_view line) {
    for (std::string_view chip : {"RP2040", "RP2350"})
        if (line.find(chip) != std::string_view::npos) return std::string(chip);
    return {};
}

int version_code(std::string_view mm_ver) {
    mm_ver = trim_blanks(mm_ver);
    const std::size_t dot = mm_ver.find('.');
    if (dot == 0 || dot == std::string_view::npos) return 0;
    std::string digits(mm_ver.substr(dot + 1));
    if (digits.size() > 4 || !std::all_of(digits.begin(), digits.end(), is_digit) ||
        !std::all_of(mm_ver.begin(), mm_ver.begin() + static_cast<long>(dot), is_digit))
        return 0;
    digits.resize(4, '0');
    return std::stoi(std::string(mm_ver.substr(0, std::min<std::size_t>(dot, 3)))) * 10000 +
           std::stoi(digits);
}

std::size_t program_memory_of(std::string_view device, std::string_view version,
                              std::string_view chip) {
    const std::string board = squeezed(device);
    if (!is_device(board)) return 0;
    if (board == "picomitevga" || board == "picomitehdmi") return 184 * kb;
    if (board == "webmite") return chip == "RP2040" ? 88 * kb : 208 * kb;
    if (chip != "RP2040") return 288 * kb;
    const int code = version_code(version);
    if (code == 0) return 128 * kb; // the most an RP2040 board has had
    if (code >= 60201) return 120 * kb;
    if (code >= 60100 && code < 60200) return 124 * kb;
    return 128 * kb;
}

std::vector<OtherBoardWord> words_for_other_boards(std::string_view program,
                                                   const KeywordHelp& help, std::string_view device,
                                                   std::size_t limit) {
    std::vector<OtherBoardWord> found;
    const std::string board = squeezed(device);
    if (!is_device(board)) return found;
    long line_number = 0;
    while (!program.empty() && found.size() < limit) {
        ++line_number;
        std::size_t end = program.find_first_of("\r\n");
        std::string_view line = program.substr(0, end);
        if (end == std::string_view::npos) {
            program = {};
        } else {
            const bool crlf = program[end] == '\r' && program.substr(end + 1).starts_with('\n');
            program.remove_prefix(end + (crlf ? 2 : 1));
        }
        // Statements end at ':' outside strings; a comment ends the line.
        bool quoted = false;
        bool comment = false;
        std::size_t start = 0;
        for (std::size_t i = 0; i <= line.size() && !comment && found.size() < limit; ++i) {
            const char c = i < line.size() ? line[i] : ':';
            if (c == '"') quoted = !quoted;
            if (quoted || (c != ':' && c != '\'')) continue;
            comment = c == '\'';
            std::string_view statement = line.substr(start, i - start);
            start = i + 1;
            for (const std::string& word : command_words(statement)) {
                if (word == "REM") {
                    comment = true;
                    break;
                }
                const HelpEntry* entry = find_help(help, word);
                std::string mark;
                std::vector<std::string> boards =
                    entry ? marked_boards(entry->description, mark) : std::vector<std::string>{};
                if (!boards.empty() &&
                    std::find(boards.begin(), boards.end(), board) == boards.end())
                    found.push_back({line_number, entry->word, mark});
            }
        }
    }
    return found;
}
