// The reflow command's corpus (cases-reflow/): every case against every face
// that offers the command, its module file loaded by the host of our own,
// the command reached as marten-edit reaches it (Alt+B, the plug-in's macro
// call). Each case is also held to keeping every word: the words of its
// text, quote prefixes left out, are the same before and after, in order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/editor.hpp"
#include "host/host.hpp"
#include "tests/e2e/case_runner.hpp"
#include "tests/e2e/far2l_host_runner.hpp"
#include "tests/e2e/unicode_host_runner.hpp"

namespace {

const std::string kReflowCases = std::string(MARTEN_SOURCE_DIR) + "/tests/e2e/cases-reflow";

// The faces that offer the command: one line each, with the runner that
// loads the face's module through its interface.
struct Face {
    const char* name;
    const char* modulePath;
    e2e::CaseOutcome (*run)(const e2e::Case&, const std::string&);
};
const Face kFaces[] = {
    {"unicode", MARTEN_UNICODE_MODULE_PATH, e2e::RunCaseThroughHost},
    {"far2l", MARTEN_FAR2L_MODULE_PATH, e2e::RunCaseThroughFar2lHost},
};

// The length of the quote prefix a line starts with, read as a person reads
// it: blanks, then groups of letters or digits (any byte past ASCII counts as
// one) closed by one or more '>' and at most one blank.
std::size_t PrefixLength(const std::string& line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    const auto initial = [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u >= 0x80 || (u >= '0' && u <= '9') || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z');
    };
    std::size_t at = 0;
    while (at < line.size() && blank(line[at])) ++at;
    std::size_t prefix = 0;
    for (;;) {
        std::size_t i = at;
        while (i < line.size() && initial(line[i])) ++i;
        if (i >= line.size() || line[i] != '>') return prefix;
        while (i < line.size() && line[i] == '>') ++i;
        if (i < line.size() && blank(line[i])) ++i;
        at = prefix = i;
    }
}

// The words of a text, the quote prefix of each line left out.
std::vector<std::string> Words(const std::vector<std::string>& lines) {
    std::vector<std::string> words;
    for (const std::string& line : lines) {
        std::string word;
        for (std::size_t i = PrefixLength(line); i <= line.size(); ++i) {
            if (i == line.size() || line[i] == ' ' || line[i] == '\t') {
                if (!word.empty()) words.push_back(word);
                word.clear();
            } else {
                word += line[i];
            }
        }
    }
    return words;
}

class ReflowCaseFile : public testing::TestWithParam<std::string> {};

// The case in every face, and its words kept from before to after.
TEST_P(ReflowCaseFile, PassesInEveryFaceKeepingEveryWord) {
    std::string why;
    const std::optional<e2e::Case> reflowCase = e2e::LoadCase(GetParam(), &why);
    ASSERT_TRUE(reflowCase.has_value()) << why;
    ASSERT_TRUE(reflowCase->after.present) << "a reflow case states the text after";
    EXPECT_EQ(Words(reflowCase->before.lines), Words(reflowCase->after.lines));
    for (const Face& face : kFaces) {
        const e2e::CaseOutcome outcome = face.run(*reflowCase, face.modulePath);
        EXPECT_TRUE(outcome.passed) << face.name << " face:\n" << outcome.report;
    }
}

std::string TestName(const testing::TestParamInfo<std::string>& info) {
    std::string name = e2e::CaseName(kReflowCases, info.param);
    for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Reflow, ReflowCaseFile,
                         testing::ValuesIn(e2e::FindCaseFiles(kReflowCases)), TestName);

TEST(ReflowWords, LeaveOutEachLinesQuotePrefix) {
    EXPECT_EQ(Words({" AB> one  two", "AB>three", " CD> AB> four", "-> five", "ИП> шесть"}),
              (std::vector<std::string>{"one", "two", "three", "four", "->", "five", "шесть"}));
}

// The Unicode face's entries and its answer to a macro's call, through the
// host of our own.
TEST(ReflowInTheHost, AMenuEntryAndAMacroCallAnsweringWhetherTheTextChanged) {
    host::Host host;
    std::string error;
    ASSERT_TRUE(host.LoadModule(MARTEN_UNICODE_MODULE_PATH, &error)) << error;
    engine::Editor editor("/fido/reply.msg", " AB> one\r\n AB> two\r\n\r\n AB> three\r\n AB> four");
    host.SetEditor(&editor);
    EXPECT_EQ(host.EntryTitles(host::PluginEntries::Commands),
              (std::vector<std::string>{"Marten", "&Reflow paragraph"}));
    EXPECT_EQ(host.EntryTitles(host::PluginEntries::Settings), std::vector<std::string>{"Marten"});

    EXPECT_EQ(host.CallFromMacro("reflow"), 0);  // another call: nothing runs
    EXPECT_EQ(editor.LineAt(0).text, " AB> one");
    EXPECT_EQ(host.CallFromMacro("Reflow"), 1);
    EXPECT_EQ(editor.LineAt(0).text, " AB> one two");
    EXPECT_EQ(editor.CurrentStatus().curLine, 1);
    // On the blank line: the paragraph below, changed by the menu entry.
    EXPECT_EQ(host.RunEntry(host::PluginEntries::Commands, 1), 0);  // no panel opened
    EXPECT_EQ(editor.LineAt(2).text, " AB> three four");
    // Nothing left to change below: the answer is null.
    EXPECT_EQ(host.CallFromMacro("Reflow"), 0);
    host.SetEditor(nullptr);
}

// The 1.x interface has no calls from macros, and the 1.x face no reflow.
TEST(ReflowInTheHost, TheOneXFaceIsNotCalledFromMacros) {
    host::Host host;
    std::string error;
    ASSERT_TRUE(host.LoadModule(MARTEN_MODULE_PATH, &error)) << error;
    EXPECT_EQ(host.CallFromMacro("Reflow"), std::nullopt);
    EXPECT_EQ(host.EntryTitles(host::PluginEntries::Commands), std::vector<std::string>{"Marten"});
}

TEST(ReflowCorpus, IsNotEmpty) { EXPECT_GE(e2e::FindCaseFiles(kReflowCases).size(), 20u); }

}  // namespace
