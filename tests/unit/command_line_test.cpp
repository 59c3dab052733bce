// Tests of the command-line rules: help, version, mistakes, Qt's options and files.
#include "app/command_line.h"

#include <gtest/gtest.h>

using Action = CommandLine::Action;
using Strings = std::vector<std::string>;

TEST(CommandLine, FilesAreKeptInOrderAsGiven) {
    const CommandLine line = parse_command_line({"a.bas", "dir/b c.inc", "", "/abs/x.bas"});
    EXPECT_EQ(line.action, Action::Edit);
    EXPECT_EQ(line.files, (Strings{"a.bas", "dir/b c.inc", "", "/abs/x.bas"}));
    EXPECT_TRUE(line.toolkit_arguments.empty());
    EXPECT_EQ(parse_command_line({}).action, Action::Edit);
}

TEST(CommandLine, HelpAndVersionWinOverEverythingBeforeTheEnd) {
    EXPECT_EQ(parse_command_line({"--help"}).action, Action::Help);
    EXPECT_EQ(parse_command_line({"a.bas", "-h", "b.bas"}).action, Action::Help);
    EXPECT_EQ(parse_command_line({"--version"}).action, Action::Version);
    // A mistake before help still gives help; the first of help and version counts.
    EXPECT_EQ(parse_command_line({"--bogus", "--help"}).action, Action::Help);
    EXPECT_EQ(parse_command_line({"--version", "--help"}).action, Action::Version);
    // After "--" they are file names.
    const CommandLine line = parse_command_line({"--", "--help", "--version", "-"});
    EXPECT_EQ(line.action, Action::Edit);
    EXPECT_EQ(line.files, (Strings{"--help", "--version", "-"}));
}

TEST(CommandLine, UnknownOptionsAndStandardInputAreErrors) {
    for (const Strings& arguments :
         {Strings{"-x"}, Strings{"a.bas", "--verbose"}, Strings{"-help"}, Strings{"--versions"},
          Strings{"-"}, Strings{"-style"}, Strings{"--style=", "-q"},
          Strings{"-platform=offscreen"}}) { // Qt takes '=' only for the style options
        const CommandLine line = parse_command_line(arguments);
        EXPECT_EQ(line.action, Action::Error) << arguments.back();
        EXPECT_FALSE(line.error.empty());
        EXPECT_TRUE(line.files.empty()); // nothing is opened after a mistake
    }
    EXPECT_NE(parse_command_line({"a", "-x"}).error.find("'-x'"), std::string::npos);
    EXPECT_NE(parse_command_line({"-style"}).error.find("needs a value"), std::string::npos);
    // A name that only looks like an option is reachable through "./".
    EXPECT_EQ(parse_command_line({"./-x"}).files, (Strings{"./-x"}));
}

TEST(CommandLine, QtOptionsGoToQtWithTheirValues) {
    const CommandLine line =
        parse_command_line({"-style", "fusion", "a.bas", "--platform", "offscreen", "-reverse",
                            "-stylesheet=x.qss", "-style", "-b.bas", "c.bas"});
    EXPECT_EQ(line.action, Action::Edit);
    EXPECT_EQ(line.toolkit_arguments,
              (Strings{"-style", "fusion", "--platform", "offscreen", "-reverse",
                       "-stylesheet=x.qss", "-style", "-b.bas"}));
    EXPECT_EQ(line.files, (Strings{"a.bas", "c.bas"}));
    // Past "--" Qt's options are files too.
    EXPECT_EQ(parse_command_line({"--", "-style", "x"}).files, (Strings{"-style", "x"}));
}

TEST(CommandLine, Texts) {
    EXPECT_EQ(version_text("Zell Edit", "V0.9"), "Zell Edit V0.9\n");
    const std::string usage = usage_text("zelledit");
    EXPECT_EQ(usage.rfind("Usage: zelledit [OPTION]... [FILE]...\n", 0), 0u);
    EXPECT_NE(usage.find("--version"), std::string::npos);
    EXPECT_EQ(usage.back(), '\n');
    EXPECT_EQ(error_text("zelledit", "unknown option '-x'"),
              "zelledit: unknown option '-x'\nTry 'zelledit --help' for more information.\n");
}
