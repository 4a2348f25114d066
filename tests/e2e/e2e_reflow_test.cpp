// The reflow command's corpus (cases-reflow/): every case against every face
// that offers the command, its module file loaded by the host of our own,
// the command reached as marten-edit reaches it (Alt+B, the plug-in's macro
// call). Each case is also held to keeping every word: the words of its
// text, quote prefixes left out, are the same before and after, in order.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "engine/editor.hpp"
#include "host/far2l/far2l_plugin.hpp"
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

// Each face's entries and its answers to a macro's call, through the host of
// our own: the Unicode face answers whether the text changed; far2l's
// CallPlugin answers that the plug-in it found by its SysID was called.
struct MacroFace {
    const char* modulePath;
    std::intptr_t changed;    // the answer when the text changed
    std::intptr_t unchanged;  // the answer when it did not
};

TEST(ReflowInTheHost, AMenuEntryAndAMacroCallInEachFace) {
    const MacroFace faces[] = {{MARTEN_UNICODE_MODULE_PATH, 1, 0},
                               {MARTEN_FAR2L_MODULE_PATH, 1, 1}};
    for (const MacroFace& face : faces) {
        SCOPED_TRACE(face.modulePath);
        e2e::Far2lProfile profile(e2e::CaseSettings{});  // far2l's settings, the defaults
        host::Host host;
        std::string error;
        ASSERT_TRUE(host.LoadModule(face.modulePath, &error)) << error;
        engine::Editor editor("/fido/reply.msg",
                              " AB> one\r\n AB> two\r\n\r\n AB> three\r\n AB> four");
        host.SetEditor(&editor);
        EXPECT_EQ(host.EntryTitles(host::PluginEntries::Commands),
                  (std::vector<std::string>{"Marten", "&Reflow paragraph"}));
        EXPECT_EQ(host.EntryTitles(host::PluginEntries::Settings),
                  std::vector<std::string>{"Marten"});

        EXPECT_EQ(host.CallFromMacro("reflow"), face.unchanged);  // another call: nothing runs
        EXPECT_EQ(editor.LineAt(0).text, " AB> one");
        EXPECT_EQ(host.CallFromMacro("Reflow"), face.changed);
        EXPECT_EQ(editor.LineAt(0).text, " AB> one two");
        EXPECT_EQ(editor.CurrentStatus().curLine, 1);
        // On the blank line: the paragraph below, changed by the menu entry.
        EXPECT_EQ(host.RunEntry(host::PluginEntries::Commands, 1), 0);  // no panel opened
        EXPECT_EQ(editor.LineAt(2).text, " AB> three four");
        // Nothing left to change below.
        EXPECT_EQ(host.CallFromMacro("Reflow"), face.unchanged);
        host.SetEditor(nullptr);
    }
}

// far2l finds the plug-in a macro's CallPlugin names by its SysID, which
// users' macros hold: it never changes. A number given to CallPlugin is no
// text, and the face does not read it as one.
TEST(ReflowInTheHost, Far2lFaceHasAFixedSysIdAndReadsOnlyAStringArgument) {
    e2e::Far2lProfile profile(e2e::CaseSettings{});
    host::Host host;
    std::string error;
    ASSERT_TRUE(host.LoadModule(MARTEN_FAR2L_MODULE_PATH, &error)) << error;
    const host::Far2lPlugin* far2l = host.PluginAs<host::Far2lPlugin>();
    ASSERT_NE(far2l, nullptr);
    far2l_api::PluginInfo info{};
    far2l->Exports().GetPluginInfoW(&info);
    EXPECT_EQ(info.SysID, 0x4D52544Eu);
    const auto number = far2l_api::OPEN_EDITOR | far2l_api::OPEN_FROMMACRO;
    EXPECT_EQ(far2l->Exports().OpenPluginW(number, 1), INVALID_HANDLE_VALUE);
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
