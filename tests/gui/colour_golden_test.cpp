// Colouring and folding against golden files: each tests/data/colour/<name>.bas is loaded into a
// configured editing control and coloured in full, then compared with <name>.bas.styled (the text
// with "{style}" wherever the style changes, "{" doubled) and <name>.bas.folded (per line the
// fold level in hexadecimal, header flag 2000 included, then the line's text).
// Run with ZELL_UPDATE_GOLDEN=1 to write the files from the current colouring; check them by eye.
#include "editor_test_fixture.h"

#include "base/text_conversion.h"
#include "documents/name_scan.h"
#include "editor/view_options.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string read_bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class ColourGoldenTest : public EditorTest {
  protected:
    // The program as it is after opening: its text in the control and its names registered.
    void load(const std::string& bytes) {
        make_editor();
        set_text(bytes_to_utf8(bytes));
        const std::string names = scan_names_text(bytes).found;
        if (!names.empty()) add_words(record, control(), names, style::name, word_plain, false);
    }
    // Colours every program of the folder by `syntax` and compares with its golden files.
    void check_folder(const fs::path& folder, Syntax syntax, std::size_t least) {
        const bool update = qgetenv("ZELL_UPDATE_GOLDEN") == "1";
        std::vector<fs::path> programs;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            if (entry.path().extension() == ".bas") programs.push_back(entry.path());
        std::sort(programs.begin(), programs.end());
        ASSERT_GE(programs.size(), least) << "programs in " << folder;

        for (const fs::path& program : programs) {
            SCOPED_TRACE(program.filename().string());
            load(read_bytes(program));
            if (syntax != record.syntax) apply_syntax(record, control(), syntax);
            colour_all();
            ASSERT_EQ(sci_end_styled(control()), sci_length(control()));
            const std::pair<fs::path, std::string> results[] = {
                {fs::path(program.string() + ".styled"), marked()},
                {fs::path(program.string() + ".folded"), folded()},
            };
            for (const auto& [golden, actual] : results) {
                if (update) {
                    write_bytes(golden, actual);
                    continue;
                }
                ASSERT_TRUE(fs::exists(golden))
                    << golden << " is missing; ZELL_UPDATE_GOLDEN=1 writes it";
                EXPECT_EQ(actual, read_bytes(golden)) << "differs from " << golden;
            }
        }
    }
    std::string folded() {
        std::string out;
        for (SciLine line = 0; line < sci_line_count(control()); ++line) {
            char number[16];
            std::snprintf(number, sizeof number, "%04X", level(line) & 0xFFFF);
            out += number;
            const std::string text = line_text(line);
            if (!text.empty()) out += "  " + text;
            out += '\n';
        }
        return out;
    }
};

// The older rules ("Alternate Syntax") are the rules these files were first recorded with.
TEST_F(ColourGoldenTest, EveryProgramColoursAndFoldsAsRecorded) {
    check_folder(fs::path(ZELL_TEST_DATA) / "colour", Syntax::alternate, 5);
}

TEST_F(ColourGoldenTest, EveryProgramColoursAndFoldsAsRecordedByTheMaximiteSyntax) {
    check_folder(fs::path(ZELL_TEST_DATA) / "colour" / "maximite", Syntax::maximite, 2);
}

} // namespace
