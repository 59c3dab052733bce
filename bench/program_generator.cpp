// Builds BASIC programs from a seeded random sequence of blocks and statements.
#include "program_generator.h"

#include <random>
#include <string_view>
#include <vector>

namespace {

// The program is well-formed under OPTION EXPLICIT: the globals are declared at its top, each
// routine declares its locals first, and numbers and strings are never mixed.
constexpr std::string_view global_numbers[] = {
    "i", "j", "k", "count", "total", "x", "y", "speed", "level", "index", "value", "a", "b", "c"};
constexpr std::string_view global_strings[] = {"name$", "msg$"};
constexpr std::string_view local_numbers[] = {"temp!", "pin",     "row",     "column",
                                              "limit", "sensor%", "reading", "delta",
                                              "state", "timeout", "offset"};
constexpr std::string_view local_strings[] = {"buffer$"};

// The bytes above 0x7F, which the board drops, are marked as meant.
constexpr std::string_view kept_bytes = " ' ignore: BADCHAR";

struct Generator {
    std::mt19937 random;
    std::string out;
    int name_count = 0;
    int line_number = 100;
    std::vector<std::string> routines; // names to call
    bool in_routine = false;           // its locals may be used

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    void line(int level, std::string_view text) {
        out.append(static_cast<std::size_t>(level) * 2, ' ');
        out.append(text);
        out.append("\r\n");
    }

    template <std::size_t G, std::size_t L>
    std::string pick_name(const std::string_view (&globals)[G],
                          const std::string_view (&locals)[L]) {
        const int count = static_cast<int>(G + (in_routine ? L : 0));
        const int at = pick(0, count - 1);
        return std::string(at < static_cast<int>(G) ? globals[at] : locals[at - G]);
    }
    std::string variable() {
        return chance(85) ? pick_name(global_numbers, local_numbers)
                          : pick_name(global_strings, local_strings);
    }
    std::string numeric() { return pick_name(global_numbers, local_numbers); }
    std::string text() { return pick_name(global_strings, local_strings); }

    std::string number() {
        switch (pick(0, 3)) {
        case 0:
            return std::to_string(pick(0, 100));
        case 1:
            return std::to_string(pick(0, 9999)) + "." + std::to_string(pick(0, 99));
        case 2:
            return "&H" + std::to_string(pick(10, 99)) + "FF";
        default:
            return std::to_string(pick(1, 9)) + "E" + std::to_string(pick(1, 5));
        }
    }

    std::string simple_statement() {
        switch (pick(0, 9)) {
        case 0:
            return numeric() + " = " + numeric() + " + " + number();
        case 1:
            return "PRINT \"Value of the reading: \"; " + variable() + "; \" units\"";
        case 2:
            return "PRINT @(" + number() + ", 10) \"Ready: press 'A'\"";
        case 3:
            return "SETPIN " + std::to_string(pick(1, 40)) + ", DOUT: Pin(" +
                   std::to_string(pick(1, 40)) + ") = " + std::to_string(pick(0, 1));
        case 4:
            return numeric() + " = SIN(" + numeric() + ") * " + number() + " + " + numeric();
        case 5:
            return routines.empty() ? "PAUSE 100"
                                    : routines[pick(0, routines.size() - 1)] + " 1, 2";
        case 6:
            return "total = total + " + numeric() + " ' keep the running sum";
        case 7:
            return text() + " = LEFT$(" + text() + ", 3) + \"caf\xE9 au lait\"" +
                   std::string(kept_bytes);
        case 8:
            return "a = 1: b = 2: c = a * b";
        default:
            return "INC " + numeric() + ", " + std::to_string(pick(1, 9));
        }
    }

    void block(int level, int depth) {
        int statements = pick(1, 4);
        for (int s = 0; s < statements; ++s) {
            if (depth < 3 && chance(22)) {
                switch (pick(0, 3)) {
                case 0:
                    line(level, "IF " + numeric() + " > " + number() + " THEN");
                    block(level + 1, depth + 1);
                    if (chance(40)) {
                        line(level, "ELSE");
                        block(level + 1, depth + 1);
                    }
                    line(level, "ENDIF");
                    break;
                case 1: {
                    // Each nesting level counts with a variable of its own.
                    const std::string counter(global_numbers[depth]);
                    line(level, "FOR " + counter + " = 1 TO " + number() + " STEP 2");
                    block(level + 1, depth + 1);
                    line(level, "NEXT " + counter);
                } break;
                case 2:
                    line(level, "DO WHILE " + numeric() + " < " + number());
                    block(level + 1, depth + 1);
                    line(level, "LOOP");
                    break;
                default:
                    line(level, "WHILE count < 10");
                    block(level + 1, depth + 1);
                    line(level, "WEND");
                    break;
                }
            } else if (chance(12)) {
                line(level,
                     "' " + std::string(chance(50) ? "Check the sensor again: it's slow at start"
                                                   : "R\xE9sum\xE9 of the step before the loop" +
                                                         std::string(kept_bytes)));
            } else if (chance(8)) {
                line(level, "IF x = 1 THEN PRINT \"one: done\" ELSE PRINT \"other\"");
            } else if (chance(30)) {
                line(level, simple_statement() + "   ' now update the " + variable() + " here");
            } else {
                line(level, simple_statement());
            }
        }
    }

    void routine() {
        bool is_function = chance(35);
        std::string name =
            (is_function ? "Calc" : "Do") + std::string("Step") + std::to_string(name_count++);
        line(0, (is_function ? "FUNCTION " : "SUB ") + name + "(first, note$)");
        for (std::size_t l = 0; l + 1 < std::size(local_numbers); l += 2)
            line(1, "LOCAL " + std::string(local_numbers[l]) + ", " +
                        std::string(local_numbers[l + 1]));
        line(1, "LOCAL " + std::string(local_numbers[std::size(local_numbers) - 1]) + ", " +
                    std::string(local_strings[0]));
        in_routine = true;
        int parts = pick(2, 4);
        for (int p = 0; p < parts; ++p) {
            if (chance(20)) {
                line(0, "Label" + std::to_string(name_count++) + ":");
            }
            block(1, 0);
        }
        in_routine = false;
        line(0, is_function ? "END FUNCTION" : "END SUB");
        line(0, "");
        if (!is_function) routines.push_back(name);
    }

    void numbered_section() {
        int lines = pick(4, 12);
        for (int l = 0; l < lines; ++l) {
            line(0, std::to_string(line_number) + " " + simple_statement());
            line_number += 10;
        }
    }
};

} // namespace

std::string generate_program(std::size_t target_bytes, unsigned seed) {
    Generator generator{std::mt19937(seed), {}, 0, 100, {}, false};
    generator.out.reserve(target_bytes + 4096);
    generator.line(0, "' Generated test program");
    generator.line(0, "OPTION EXPLICIT");
    generator.line(0, "DIM i, j, k, count, total, x, y, speed, level, index, value, a, b, c");
    generator.line(0, "DIM name$, msg$");
    while (generator.out.size() < target_bytes) {
        if (generator.chance(8))
            generator.numbered_section();
        else
            generator.routine();
    }
    return generator.out;
}
