// One test per file of key cases: every case in it runs against the engine
// or, with "on: screen", through marten-edit on the in-memory screen; a
// failure names the case and shows what differs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "edit/view/editor_on_grid_test.hpp"
#include "tests/editor_keys/key_case.hpp"

namespace {

namespace fs = std::filesystem;
const std::string kCaseFolder = MARTEN_SOURCE_DIR "/tests/editor_keys/cases";

std::vector<std::string> CaseFiles() {
    std::vector<std::string> files;
    for (const auto& entry : fs::directory_iterator(kCaseFolder))
        if (entry.path().extension() == ".keys") files.push_back(entry.path().stem().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The screen column, from 1, of a place in a line.
int ScreenColumn(const std::string& line, int pos, int tabSize) {
    int column = 0;
    for (int i = 0; i < pos; ++i)
        column = i < static_cast<int>(line.size()) && line[i] == '\t'
                     ? (column / tabSize + 1) * tabSize
                     : column + 1;
    return column + 1;
}

class KeyCaseFile : public edit::EditorOnGrid, public ::testing::WithParamInterface<std::string> {
protected:
    // Runs a case through marten-edit: the start place on the command line,
    // the keys, the checks of the title line and the first text row, then
    // F2 and F10, and the saved text.
    void RunOnScreen(const keycases::KeyCase& c) {
        const std::string file = Write("case.txt", keycases::Bytes(c.start));
        // The case's settings, as the user keeps them for marten-edit.
        std::filesystem::create_directories(Path("config/marten"));
        Write("config/marten/editor.conf",
              "tab-size = " + std::to_string(c.options.tabSize) +
                  "\npersistent-blocks = " + (c.options.persistentBlocks ? "on" : "off") +
                  "\ndel-removes-blocks = " + (c.options.delRemovesBlocks ? "on" : "off") +
                  "\nword-delimiters = " + c.options.wordDelimiters + "\n");
        std::vector<std::string> args{file};
        if (c.at) {
            args.push_back("+" + std::to_string(c.at->line.Value()) + ":" +
                           std::to_string(c.at->column.Value()));
        } else if (c.start.cursor) {
            const auto& line = c.start.lines[static_cast<std::size_t>(c.start.cursor->line)];
            args.push_back(
                "+" + std::to_string(c.start.cursor->line + 1) + ":" +
                std::to_string(ScreenColumn(line, c.start.cursor->byteColumn, c.options.tabSize)));
        }
        Keys((c.overtype ? "{Ins}" : "") + c.keys);
        const keycases::MarkedText& after = c.expect ? *c.expect : c.start;
        std::optional<engine::TypedPosition> cursor = c.cursor;
        if (!cursor && c.expect && c.expect->cursor) {
            const auto& line = after.lines[static_cast<std::size_t>(after.cursor->line)];
            cursor = engine::TypedPosition{engine::LineNumber(after.cursor->line + 1),
                                           engine::ColumnNumber(ScreenColumn(
                                               line, after.cursor->byteColumn, c.options.tabSize))};
        }
        if (cursor)
            Sees(At(cursor->line.Value(), static_cast<int>(after.lines.size()),
                    cursor->column.Value()));
        if (c.top) {
            const std::string topText = after.lines[static_cast<std::size_t>(*c.top - 1)];
            grid_.Then([this, topText, &c] {
                EXPECT_EQ(grid_.Row(1), topText)
                    << c.name << " (line " << c.line << "): the first text row";
            });
        }
        SaveAndQuit(args, file, c.expect ? keycases::Bytes(*c.expect) : keycases::Bytes(c.start));
    }
};

TEST_P(KeyCaseFile, Passes) {
    std::string error;
    const auto cases =
        keycases::ParseKeyCases(Slurp(kCaseFolder + "/" + GetParam() + ".keys"), &error);
    ASSERT_TRUE(cases) << GetParam() << ".keys: " << error;
    ASSERT_FALSE(cases->empty()) << GetParam() << ".keys holds no case";
    for (const keycases::KeyCase& c : *cases) {
        if (c.onScreen) {
            SCOPED_TRACE(c.name + " (line " + std::to_string(c.line) + ")");
            RunOnScreen(c);
            grid_ = edit::GridScreen(100, 30);
            continue;
        }
        const std::string report = keycases::RunOnEngine(c);
        EXPECT_EQ(report, "") << GetParam() << ".keys, line " << c.line << ": " << c.name << "\n"
                              << report;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyCaseFile, ::testing::ValuesIn(CaseFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param;
                         });

}  // namespace
