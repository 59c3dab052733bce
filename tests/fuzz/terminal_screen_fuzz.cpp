// The VT100 screen: any bytes, fed in any pieces, with resizes and clears between them, leave
// the cursor on the screen, no line wider than the screen, the scrollback within its bound and
// the text readable; and how the bytes are cut into pieces never changes the screen.
#include "device/terminal_screen.h"
#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr std::size_t scrollback = 50;

bool valid_utf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            ++i;
        } else if ((b == 0xC2 || b == 0xC3) && i + 1 < text.size() &&
                   (static_cast<unsigned char>(text[i + 1]) & 0xC0) == 0x80) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

void check_screen(const TerminalScreen& screen) {
    FUZZ_CHECK(screen.cursor_row() >= 0 && screen.cursor_row() < screen.rows());
    FUZZ_CHECK(screen.cursor_column() >= 0 && screen.cursor_column() < screen.columns());
    FUZZ_CHECK(screen.line_count() >= static_cast<std::size_t>(screen.rows()));
    FUZZ_CHECK(screen.line_count() <= static_cast<std::size_t>(screen.rows()) + scrollback);
    for (std::size_t i = 0; i < screen.line_count(); ++i) {
        FUZZ_CHECK(screen.line(i).size() <= static_cast<std::size_t>(screen.columns()));
        const std::string text = screen.line_text(i);
        FUZZ_CHECK(valid_utf8(text));
        FUZZ_CHECK(text.empty() || text.back() != ' ');
        for (const Cell& cell : screen.line(i)) {
            FUZZ_CHECK(cell.style.fg < 16 || cell.style.fg == default_colour);
            FUZZ_CHECK(cell.style.bg < 16 || cell.style.bg == default_colour);
        }
    }
    screen.text(0, screen.line_count() - 1);
}

bool same_screen(const TerminalScreen& a, const TerminalScreen& b) {
    if (a.line_count() != b.line_count() || a.cursor_row() != b.cursor_row() ||
        a.cursor_column() != b.cursor_column())
        return false;
    for (std::size_t i = 0; i < a.line_count(); ++i) {
        const ScreenLine& x = a.line(i);
        const ScreenLine& y = b.line(i);
        if (x.size() != y.size()) return false;
        for (std::size_t c = 0; c < x.size(); ++c)
            if (x[c].ch != y[c].ch || !(x[c].style == y[c].style)) return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int columns = input.ConsumeIntegralInRange(0, 100);
    const int rows = input.ConsumeIntegralInRange(0, 30);
    TerminalScreen pieces(columns, rows, scrollback);
    TerminalScreen whole(columns, rows, scrollback);
    check_screen(pieces);

    std::string since_last_change;
    while (input.remaining_bytes() > 0) {
        const int what = input.ConsumeIntegralInRange(0, 15);
        if (what == 0) {
            // A resize or clear: the unpieced screen catches up first, then both change alike.
            whole.feed(since_last_change);
            since_last_change.clear();
            FUZZ_CHECK(same_screen(pieces, whole));
            if (input.ConsumeBool()) {
                pieces.clear();
                whole.clear();
            } else {
                const int c = input.ConsumeIntegralInRange(-2, 120);
                const int r = input.ConsumeIntegralInRange(-2, 40);
                pieces.resize(c, r);
                whole.resize(c, r);
            }
        } else {
            const std::string piece = input.ConsumeRandomLengthString(200);
            const auto before = pieces.version();
            pieces.feed(piece);
            if (!piece.empty()) FUZZ_CHECK(pieces.version() >= before);
            since_last_change += piece;
        }
        check_screen(pieces);
    }
    whole.feed(since_last_change);
    FUZZ_CHECK(same_screen(pieces, whole));
    check_screen(whole);
    return 0;
}
