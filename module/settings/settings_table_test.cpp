// The settings each face keeps, in the order its store writes them, and the
// defaults every face starts from.
#include "module/settings/settings_table.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace marten {
namespace {

std::vector<std::string> NamesKeptBy(Face face) {
    std::vector<std::string> names;
    for (const SettingRow& row : kSettingRows) {
        if (Keeps(face, row)) names.emplace_back(row.name);
    }
    return names;
}

TEST(SettingsTable, TheOneXFaceKeepsTheSevenAndTheOthersBalancedToo) {
    const std::vector<std::string> seven = {"EnableQuote",    "EnableAutoWrap", "EnableAutoIndent",
                                            "EnableHPChange", "RIndent",        "LIndent",
                                            "FileMask"};
    std::vector<std::string> eight = seven;
    eight.push_back("Balanced");
    EXPECT_EQ(NamesKeptBy(kAnsiFace), seven);
    EXPECT_EQ(NamesKeptBy(kUnicodeFace), eight);
    EXPECT_EQ(NamesKeptBy(kFar2lFace), eight);
}

template <class C>
void ExpectDefaults() {
    Settings = SettingsRecord{};
    TextSettingsOf<C> texts;
    texts[kFileMask].assign(3, C('x'));
    SetDefaultSettings(texts);
    const SettingsRecord& s = Settings;
    // The four switches on, RIndent 78, LIndent 0, Balanced off.
    EXPECT_EQ(std::tuple(s.EnableQuote, s.EnableAutoWrap, s.EnableAutoIndent, s.EnableHPChange,
                         s.RIndent, s.LIndent, s.Balanced),
              std::tuple(1, 1, 1, 1, 78, 0, 0));
    const std::string mask = "*.msg,golded.*";
    EXPECT_EQ(texts[kFileMask], BasicText<C>(mask.begin(), mask.end()));
}

TEST(SettingsTable, DefaultsAreTheSameInEveryFacesCharacters) {
    const SettingsRecord kept = Settings;
    ExpectDefaults<char>();
    ExpectDefaults<char16_t>();
    ExpectDefaults<wchar_t>();
    Settings = kept;
}

TEST(SettingsTable, ValuesAreReadAndSetThroughTheirRows) {
    const SettingsRecord kept = Settings;
    SetNumberValue(RowOf(kLIndent), -5);
    SetNumberValue(RowOf(kBalanced), 1);
    EXPECT_EQ(Settings.LIndent, -5);
    EXPECT_EQ(Settings.Balanced, 1);
    EXPECT_EQ(NumberValue(RowOf(kLIndent)), -5);
    Settings.EnableHPChange = 7;
    EXPECT_EQ(NumberValue(RowOf(kEnableHPChange)), 7);
    Settings = kept;
}

}  // namespace
}  // namespace marten
