// Colouring by the Maximite syntax: statements after ":", REM comments, number forms, members.
#include "colour_test_record.h"
#include "editor/line_styler.h"

#include <gtest/gtest.h>

namespace {

EditorRecord maximite_record() {
    EditorRecord record = colour_test_record("PRINT IF THEN ELSE END SUB FUNCTION EXIT FOR TO NEXT "
                                             "READ REM DO LOOP START LEFT MM.INFO MM.HRES COLOUR");
    record.syntax = Syntax::maximite;
    set_separators(record, maximite_separators);
    return record;
}

std::string line_marks(EditorRecord& record, std::string_view line) {
    std::string styles;
    record.fold_delta = 0;
    style_program_line(record, line, styles);
    EXPECT_EQ(styles.size(), line.size()) << line;
    return marked(line, styles);
}

struct Case {
    const char* line;
    const char* marks;
};

void expect_marks(EditorRecord& record, std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(line_marks(record, c.line), c.marks) << c.line;
}

TEST(MaximiteColouring, StatementsAfterColonsAndOtherSeparators) {
    EditorRecord r = maximite_record();
    expect_marks(r, {
                        {"x=1:y=2:Print x;y\r\n", "{32}x={4}1{32}:y={4}2{32}:{1}Print{32} x;y\r\n"},
                        {"For f=1 To 15:Read col(f):Next",
                         "{1}For{32} f={4}1{32} {1}To{32} {4}15{32}:{1}Read"
                         "{32} col(f):{1}Next"},
                        {"10:Next", "{4}10{32}:{1}Next"},
                        {"If a<b Then x=a^2\\3", "{1}If{32} a<b {1}Then{32} x=a^{4}2{32}\\{4}3"},
                    });
}

TEST(MaximiteColouring, LabelKeepsItsColonInTheNameStyle) {
    EditorRecord r = maximite_record();
    register_words(r.words, "Main Main:", style::name, word_plain);
    expect_marks(r, {
                        {"Main: Print 1\n", "{7}Main:{32} {1}Print{32} {4}1{32}\n"},
                        {"Main:Print 1",
                         "{7}Main{32}:{1}Print{32} {4}1"}, // no label: the first field is longer
                        {"GoTo Main", "{32}GoTo {7}Main"},
                    });
}

TEST(MaximiteColouring, RemStartsACommentAtTheStartOfAStatement) {
    EditorRecord r = maximite_record();
    register_words(r.words, "Loop1 Loop1:", style::name, word_plain);
    expect_marks(r, {
                        {"REM print the SUB list\r\n", "{2}REM print the SUB list{32}\r\n"},
                        {"10 Rem numbered", "{4}10{32} {2}Rem numbered"},
                        {"Loop1: REM a label first", "{7}Loop1:{32} {2}REM a label first"},
                        {"x=1: REM set x", "{32}x={4}1{32}: {2}REM set x"},
                        {"If a Then REM nothing", "{1}If{32} a {1}Then{32} {2}REM nothing"},
                        {"If a Then x=1 Else Rem none",
                         "{1}If{32} a {1}Then{32} x={4}1{32} {1}Else{32} {2}Rem none"},
                        {"REMAINDER = 1", "{32}REMAINDER = {4}1"},
                        {"Print REM", "{1}Print{32} {1}REM"},
                        {"x.rem = 1", "{32}x.rem = {4}1"},
                    });
}

// Neither a SUB in a REM comment nor a member named "sub" opens a fold.
TEST(MaximiteColouring, RemCommentsAndMembersOpenNoFold) {
    EditorRecord r = maximite_record();
    for (const char* line : {"REM Sub main\n", "x.sub = 1\n"}) {
        std::string styles;
        r.fold_delta = 0;
        style_program_line(r, line, styles);
        EXPECT_EQ(r.fold_delta, 0) << line;
    }
    r.behaviour_flags = 0;
    EXPECT_EQ(line_marks(r, "REM x"), "{32}REM x");
}

TEST(MaximiteColouring, EveryNumberForm) {
    EditorRecord r = maximite_record();
    expect_marks(r, {
                        {"x=&HFF", "{32}x={4}&HFF"},
                        {"x=&hff+&B1010-&o17", "{32}x={4}&hff{32}+{4}&B1010{32}-{4}&o17"},
                        {"x=1.5E-3*2e10", "{32}x={4}1.5E-3{32}*{4}2e10"},
                        {"x=.5+5.+12", "{32}x={4}.5{32}+{4}5.{32}+{4}12"},
                        {"x=1.2.3", "{32}x=1.{4}2.3"}, // never a number with two points
                        {"x=12abc", "{32}x=12abc"},
                        {"x=&HFG", "{32}x=&HFG"},
                        {"x=1e+", "{32}x=1e+"},
                    });
}

TEST(MaximiteColouring, MembersAfterADotAreNeverKeywords) {
    EditorRecord r = maximite_record();
    register_words(r.words, "my.sub", style::name, word_plain);
    expect_marks(r, {
                        {"lx.start=1", "{32}lx.start={4}1"},
                        {"ctrl.left=p(1).left", "{32}ctrl.left=p({4}1{32}).left"},
                        {"Print MM.INFO(FONTHEIGHT)", "{1}Print{32} {1}MM.INFO{32}(FONTHEIGHT)"},
                        {"x=mm.hres", "{32}x={1}mm.hres"},
                        {"my.sub 1", "{7}my.sub{32} {4}1"},
                        {"a.sub.end = 0", "{32}a.sub.end = {4}0"},
                    });
}

TEST(MaximiteColouring, AlternateSyntaxKeepsTheOlderRules) {
    EditorRecord r = colour_test_record("PRINT REM NEXT START");
    expect_marks(r, {
                        {"x=1:Print x", "{32}x=1:Print x"},
                        {"REM note", "{1}REM{32} note"},
                        {"x=&HFF+1E5", "{32}x=&HFF+1E5"},
                        {"lx.start", "{32}lx.{1}start"},
                    });
}

} // namespace
