// Random well-formed programs (blocks of every kind nested, SUBs and FUNCTIONs with parameters
// and calls, labels with GOTO and GOSUB, declarations under OPTION EXPLICIT, CSUB data, line
// numbers) have no problem; with one mistake of a known kind put in, exactly that problem on its
// line.
#include "analysis/analysis.h"

#include "support/shipped_keywords.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

struct Routine {
    std::string name;
    int parameters = 0;
    bool function = false;
};

struct Block {
    std::size_t opens = 0, closes = 0; // lines
    bool removable = false;            // no block of its kind around it: closes nothing else
};

struct Program {
    std::vector<std::string> lines;
    std::vector<std::size_t> slots; // lines of the main code outside any block
    std::vector<Block> blocks;
    std::vector<std::size_t> label_lines;
    std::vector<Routine> routines;
    bool explicit_option = false;
};

class Maker {
  public:
    explicit Maker(unsigned seed) : random_(seed) {}

    Program make() {
        p_.explicit_option = chance(60);
        if (p_.explicit_option) add(0, "OPTION EXPLICIT");
        for (int i = pick(1, 4); i > 0; --i)
            p_.routines.push_back({"Step" + std::to_string(i), pick(0, 3), chance(40)});
        labels_ = pick(1, 3);
        add(0, "DIM g0, g1, g2, c0, c1, c2, c3, c4");
        const bool csub = chance(50);
        const std::vector<std::string> globals{"g0", "g1", "g2"};
        for (int i = pick(3, 8); i > 0; --i) {
            p_.slots.push_back(p_.lines.size());
            if (chance(15) && next_label_ < labels_) {
                p_.label_lines.push_back(p_.lines.size());
                add(0, "Spot" + std::to_string(next_label_++) + ":");
            } else if (chance(20)) {
                add(0, std::to_string(line_number_ += 10) + " " + statement(globals, true));
            } else {
                block(0, globals, true, {});
            }
        }
        p_.slots.push_back(p_.lines.size());
        while (next_label_ < labels_) {
            p_.label_lines.push_back(p_.lines.size());
            add(0, "Spot" + std::to_string(next_label_++) + ": RETURN");
        }
        if (csub) add(0, "Blink g0");
        add(0, "END");
        for (const Routine& r : p_.routines) routine(r);
        if (csub) {
            add(0, "CSUB Blink integer");
            add(1, "00000000 4FF0E92D 1AB0F8D0");
            add(0, "END CSUB");
        }
        return p_;
    }

  private:
    std::mt19937 random_;
    Program p_;
    int labels_ = 0, next_label_ = 0, line_number_ = 0;

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }
    void add(int depth, const std::string& text) {
        p_.lines.push_back(std::string(static_cast<std::size_t>(depth) * 2, ' ') + text);
    }
    std::string any(const std::vector<std::string>& names) {
        return names[static_cast<std::size_t>(pick(0, static_cast<int>(names.size()) - 1))];
    }
    std::string arguments(int count) {
        std::string out;
        for (int i = 0; i < count; ++i) out += (i ? ", " : "") + std::to_string(i + 1);
        return out;
    }

    std::string statement(const std::vector<std::string>& vars, bool main) {
        const std::string v = any(vars);
        const Routine& r = p_.routines[static_cast<std::size_t>(
            pick(0, static_cast<int>(p_.routines.size()) - 1))];
        switch (pick(0, 6)) {
        case 0:
            return v + " = " + v + " + 1";
        case 1:
            return "PRINT " + v + ", \"a: 'b'\" : " + v + " = " + v + " * 2";
        case 2:
            return "IF " + v + " > 3 THEN " + v + " = 0 ELSE PRINT " + v;
        case 3:
            return r.function ? v + " = " + v + " + " + r.name + "(" +
                                    arguments(pick(0, r.parameters)) + ")"
                              : r.name + " " + arguments(pick(0, r.parameters));
        case 4:
            return main && line_number_ > 0
                       ? "IF " + v + " = 1 THEN " + std::to_string(line_number_)
                       : "PRINT " + v;
        case 5:
            return "GOSUB Spot" + std::to_string(pick(0, labels_ - 1));
        default:
            return "ON " + v + " GOSUB Spot0, Spot" + std::to_string(labels_ - 1);
        }
    }

    // Statements and blocks; `open` holds the kinds of the blocks around.
    void block(int depth, const std::vector<std::string>& vars, bool main, std::string open) {
        if (depth >= 4 || chance(45)) {
            add(depth, statement(vars, main));
            return;
        }
        const std::string v = any(vars);
        const std::size_t opens = p_.lines.size();
        const char kind = "ifdws"[pick(0, 4)];
        const bool removable = kind != 'f' && open.find(kind) == std::string::npos;
        auto body = [&](int count) {
            for (int i = 0; i < count; ++i) block(depth + 1, vars, main, open + kind);
        };
        switch (kind) {
        case 'i':
            add(depth, "IF " + v + " < 2 THEN");
            body(pick(1, 2));
            if (chance(40)) {
                add(depth, "ELSEIF " + v + " = 5 THEN");
                body(1);
            }
            if (chance(40)) {
                add(depth, "ELSE");
                body(1);
            }
            add(depth, chance(50) ? "ENDIF" : "END IF");
            break;
        case 'f': {
            // The counter of each FOR is its own: a NEXT names the FOR it closes.
            const std::string counter = "c" + std::to_string(depth);
            add(depth, "FOR " + counter + " = 1 TO 3");
            body(pick(1, 2));
            add(depth + 1, "IF " + counter + " = 2 THEN EXIT FOR");
            add(depth, "NEXT " + counter);
            break;
        }
        case 'd':
            add(depth, chance(50) ? "DO WHILE " + v + " < 9" : "DO");
            body(pick(1, 2));
            add(depth + 1, "EXIT DO");
            add(depth, chance(50) ? "LOOP" : "LOOP UNTIL " + v + " > 1");
            break;
        case 'w':
            add(depth, "WHILE " + v + " < 4");
            body(pick(1, 2));
            add(depth, "WEND");
            break;
        default:
            add(depth, "SELECT CASE " + v);
            add(depth + 1, "CASE 1, 2");
            body(1);
            add(depth + 1, "CASE ELSE");
            body(1);
            add(depth, "END SELECT");
        }
        p_.blocks.push_back({opens, p_.lines.size() - 1, removable});
    }

    void routine(const Routine& r) {
        std::vector<std::string> vars{"g0", "g1", "g2", "l0", "l1"};
        std::string header = (r.function ? "FUNCTION " : "SUB ") + r.name;
        for (int i = 0; i < r.parameters; ++i) {
            header += (i ? ", " : "(") + std::string("p") + std::to_string(i);
            vars.push_back("p" + std::to_string(i));
        }
        add(0, header + (r.parameters ? ")" : ""));
        add(1, "LOCAL l0, l1");
        for (int i = pick(1, 3); i > 0; --i) block(1, vars, false, {});
        if (r.function) add(1, r.name + " = l0 + l1");
        add(0, r.function ? "END FUNCTION" : "END SUB");
    }
};

std::string text_of(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

ProgramAnalysis analyse(const std::string& text) {
    const std::string& keywords = shipped_keywords();
    AnalysisInput input;
    input.text = text;
    input.keywords = keywords;
    return analyse_program(input);
}

std::string describe(const ProgramAnalysis& analysis) {
    std::string out;
    for (const Problem& p : analysis.problems)
        out += p.code + " line " + std::to_string(p.at.line + 1) + ": " + p.message + "\n";
    return out;
}

// Puts one mistake into `p` and returns its code and line; the code is empty when this program
// has no place for it.
std::pair<std::string, std::size_t> add_mistake(Program& p, int kind, std::mt19937& random) {
    auto pick = [&](std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    const std::size_t slot = p.slots[pick(p.slots.size())];
    auto insert = [&](const std::string& line) {
        p.lines.insert(p.lines.begin() + static_cast<long>(slot), line);
    };
    switch (kind) {
    case 0:
        insert("GOTO Nowhere");
        return {"NOLABEL", slot};
    case 1:
        insert("Missing 1, 2");
        return {"NOSUB", slot};
    case 2: {
        const Routine& r = p.routines[pick(p.routines.size())];
        const std::string call = r.name + "(1, 2, 3, 4)";
        insert(r.function ? "PRINT " + call : call);
        return {"ARGS", slot};
    }
    case 3:
        if (!p.explicit_option) return {};
        insert("PRINT undeclared");
        return {"UNDECLARED", slot};
    case 4:
        insert(pick(2) ? "ENDIF" : "WEND");
        return {"UNOPENED", slot};
    case 5:
        insert("EXIT FOR");
        return {"EXIT", slot};
    case 6: {
        const std::size_t label = p.label_lines[0];
        insert(p.lines[label].substr(0, p.lines[label].find(':') + 1));
        return {"DUPLABEL", slot <= label ? label + 1 : slot};
    }
    default: {
        std::vector<Block> removable;
        for (const Block& b : p.blocks)
            if (b.removable) removable.push_back(b);
        if (removable.empty()) return {};
        const Block& b = removable[pick(removable.size())];
        p.lines.erase(p.lines.begin() + static_cast<long>(b.closes));
        return {"UNCLOSED", b.opens};
    }
    }
}

} // namespace

TEST(AnalysisProperty, GeneratedProgramsHaveNoProblemUntilOneMistakeIsPutIn) {
    std::mt19937 mistakes(7);
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Program program = Maker(seed).make();
        const std::string text = text_of(program.lines);
        ASSERT_EQ(describe(analyse(text)), "") << "seed " << seed << "\n" << text;

        const auto [code, line] = add_mistake(program, static_cast<int>(seed % 8), mistakes);
        if (code.empty()) continue;
        const std::string wrong = text_of(program.lines);
        const ProgramAnalysis analysis = analyse(wrong);
        ASSERT_EQ(analysis.problems.size(), 1u) << "seed " << seed << " " << code << "\n"
                                                << describe(analysis) << wrong;
        EXPECT_EQ(analysis.problems[0].code, code) << "seed " << seed << "\n" << wrong;
        EXPECT_EQ(analysis.problems[0].at.line, line) << "seed " << seed << "\n" << wrong;
    }
}
