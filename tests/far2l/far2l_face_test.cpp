// far2l's face on the stand-in for far2l: its keys as the rules know them,
// the features on UTF-32 lines, one undo step for each key the module
// changes the text on, the masks, and the entry points' answers.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "api/far2l_api.hpp"
#include "module/far2l/exports.hpp"
#include "module/far2l/far2l_editor.hpp"
#include "module/far2l/host_info.hpp"
#include "module/far2l/key_translation.hpp"
#include "module/settings/settings.hpp"
#include "tests/far2l/far2l_fake_host.hpp"
#include "tests/far2l/scratch_profile.hpp"

namespace {

using far2ltest::EditorCall;
using far2ltest::Far2lFakeHost;
using far2ltest::KeyDown;

constexpr DWORD kCtrl = LEFT_CTRL_PRESSED;
constexpr DWORD kAlt = LEFT_ALT_PRESSED;

TEST(Far2lKeys, TheRulesSeeTheCharacterAWindowsHostGives) {
    // far2l's records as measured on its TTY backend, and a few more.
    const struct Case {
        const char* key;
        WORD vk;
        wchar_t ch;
        DWORD state;
        WCHAR rulesSee;
    } cases[] = {
        {"a", 0x41, L'a', 0, u'a'},
        {"Cyrillic EN", 0xE8, L'\u041D', 0, u'\u041D'},
        {"Cyrillic er", 0xE8, L'\u0440', 0, u'\u0440'},
        {"`", 0xC0, L'`', 0, u'`'},
        {"#", 0x33, L'#', 0, u'#'},
        {"$", 0x34, L'$', 0, u'$'},
        {"Enter", 0x0D, 0, 0, 0x0D},
        {"Backspace", 0x08, 0, 0, 0x08},
        {"Tab", 0x09, 0, 0, 0x09},
        {"Del", 0x2E, 0, ENHANCED_KEY, 0},
        {"Shift+Left", 0x25, 0, ENHANCED_KEY | SHIFT_PRESSED, 0},
        {"Ctrl+Z", 0x5A, 0, kCtrl, 0x1A},
        {"Alt+A", 0x41, 0, kAlt, 0},
        {"Ctrl+A", 0x41, 0, kCtrl, 0x01},
        {"Ctrl+Del", 0x2E, 0, ENHANCED_KEY | kCtrl, 0},
        {"Shift+Tab", 0x09, 0, SHIFT_PRESSED, 0x09},
        {"Alt+Enter", 0x0D, 0, kAlt, 0x0D},
        {"Esc", 0x1B, 0, 0, 0x1B},
        {"F2", 0x71, 0, 0, 0},
        {"Ctrl+Enter", 0x0D, 0, RIGHT_CTRL_PRESSED, 0x0A},
        {"Ctrl+Backspace", 0x08, 0, kCtrl, 0x7F},
        {"Ctrl+Tab", 0x09, 0, kCtrl, 0},
        {"Ctrl+Shift+Z", 0x5A, 0, kCtrl | SHIFT_PRESSED, 0x1A},
        {"Ctrl+Alt+A", 0x41, 0, kCtrl | kAlt, 0},
        {"a character beyond UTF-16's first plane", 0, L'\U0001F600', 0, 0xFFFD},
        {"a surrogate value", 0, static_cast<wchar_t>(0xD800), 0, 0xFFFD},
    };
    for (const Case& c : cases) {
        far2l_api::KEY_EVENT_RECORD key = KeyDown(c.ch, c.vk, c.state).Event.KeyEvent;
        key.wRepeatCount = 3;
        key.wVirtualScanCode = 0x1C;
        const KEY_EVENT_RECORD rules = marten::far2l::RulesKey(key);
        EXPECT_EQ(rules.uChar.UnicodeChar, c.rulesSee) << c.key;
        EXPECT_EQ(rules.wVirtualKeyCode, c.vk) << c.key;
        EXPECT_EQ(rules.dwControlKeyState, c.state) << c.key;
        EXPECT_EQ(rules.bKeyDown, 1) << c.key;
        EXPECT_EQ(rules.wRepeatCount, 3) << c.key;
        EXPECT_EQ(rules.wVirtualScanCode, 0x1C) << c.key;
    }
}

class Far2lFace : public testing::Test {
protected:
    void SetUp() override {
        SetStartupInfoW(&host_.startupInfo);
        marten::Settings.RIndent = 20;
        host_.calls.clear();
    }

    far2ltest::ScratchProfile profile_;
    Far2lFakeHost host_;
};

TEST_F(Far2lFace, EnterInAQuoteIsOneUndoStepAndFeedsFar2lsOwnRecord) {
    host_.Put(L" AB> Hello world", 0, 10);
    const far2l_api::INPUT_RECORD enter = KeyDown(0, VK_RETURN);
    EXPECT_EQ(host_.Press(enter), 1);
    EXPECT_EQ(host_.Text(), L" AB> Hello\nAB>  world");
    EXPECT_EQ(host_.curLine, 1);
    // The editor breaks the line on the record far2l sent, character 0 and all.
    ASSERT_EQ(host_.fedKeys.size(), 1u);
    EXPECT_EQ(host_.fedKeys[0].Event.KeyEvent.uChar.UnicodeChar, L'\0');
    EXPECT_EQ(host_.fedKeys[0].Event.KeyEvent.wVirtualKeyCode, VK_RETURN);
    EXPECT_EQ(host_.calls.back(), (EditorCall{far2l_api::ECTL_UNDOREDO, far2l_api::EUR_END}));
    EXPECT_EQ(host_.bracketDepth, 0);
    EXPECT_FALSE(host_.endGivenToSetString);
    EXPECT_TRUE(host_.Undo());
    EXPECT_EQ(host_.Text(), L" AB> Hello world");
    EXPECT_EQ(host_.curPos, 10);
    EXPECT_FALSE(host_.Undo());
}

TEST_F(Far2lFace, JoinsDropTheSecondPrefixInOneStep) {
    host_.Put(L" AB> one\n AB> two", 0, 8);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_DELETE, ENHANCED_KEY)), 1);
    EXPECT_EQ(host_.Text(), L" AB> onetwo");
    EXPECT_TRUE(host_.Undo());
    EXPECT_EQ(host_.Text(), L" AB> one\n AB> two");
    EXPECT_FALSE(host_.Undo());

    // Backspace comes with the character 0 too.
    host_.Put(L" AB> one\n AB> two", 1, 0);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_BACK)), 1);
    EXPECT_EQ(host_.Text(), L" AB> onetwo");
    EXPECT_EQ(host_.curPos, 8);

    // An unquoted neighbour: nothing changes, no bracket, the editor joins.
    host_.Put(L" AB> one\nplain", 0, 8);
    host_.calls.clear();
    EXPECT_EQ(host_.Press(KeyDown(0, VK_DELETE, ENHANCED_KEY)), 0);
    EXPECT_EQ(host_.Text(), L" AB> oneplain");
    for (const EditorCall& call : host_.calls) EXPECT_NE(call.command, far2l_api::ECTL_UNDOREDO);
}

TEST_F(Far2lFace, WrapsCyrillicTextWithThePrefixInOneStep) {
    const std::wstring line =
        L" AB> \u0430\u0431\u0432\u0433 \u0434\u0435\u0436\u0437 "
        L"\u0438\u0439\u043A\u043B \u043C\u043D\u043E\u043F "
        L"\u0441\u0442\u0443\u0444";
    host_.Put(line, 0, static_cast<int>(line.size()));
    EXPECT_EQ(host_.Press(KeyDown(L'\u0445', 0xE8)), 1);
    EXPECT_EQ(host_.Text(),
              L" AB> \u0430\u0431\u0432\u0433 \u0434\u0435\u0436\u0437 "
              L"\u0438\u0439\u043A\u043B\n AB> \u043C\u043D\u043E\u043F "
              L"\u0441\u0442\u0443\u0444\u0445");
    // The first line gets its end; the last keeps having none.
    EXPECT_EQ(host_.ends, (std::vector<std::wstring>{L"\n", L""}));
    EXPECT_TRUE(host_.Undo());
    EXPECT_EQ(host_.Text(), line);
    EXPECT_FALSE(host_.Undo());
}

TEST_F(Far2lFace, TheMarginCountsCharactersNotUnits) {
    // Characters beyond UTF-16's first plane take one wchar_t each, and no
    // value among them is half of a pair: U+1D800 looks like a first half to
    // a test of UTF-16 units.
    for (const wchar_t wide : {L'\U0001F600', L'\U0001D800'}) {
        const std::wstring line(21, wide);
        host_.Put(line, 0, 21);
        host_.Press(KeyDown(L'x', 'X'));
        EXPECT_EQ(host_.lines,
                  (std::vector<std::wstring>{line.substr(1), std::wstring(1, wide) + L'x'}))
            << static_cast<unsigned>(wide);
    }
}

TEST_F(Far2lFace, EnterAtTheEndOfALongLineWrapsItFirstAsInTheOtherFaces) {
    const std::wstring line = L"aaaa bbbb cccc dddd eeee";
    host_.Put(line, 0, static_cast<int>(line.size()));
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 1);
    EXPECT_EQ(host_.Text(), L"aaaa bbbb cccc dddd\neeee\n");
    EXPECT_TRUE(host_.Undo());
    EXPECT_EQ(host_.Text(), line);
}

TEST_F(Far2lFace, ReplacesTheThreeLettersEachInAStepOfItsOwn) {
    const struct {
        wchar_t typed;
        const wchar_t* line;
    } rows[] = {
        {L'\u041D', L"abH"}, {L'\u0440', L"abp"}, {L'\u0420', L"abP"}, {L'\u043D', L"ab\u043D"}};
    for (const auto& row : rows) {
        host_.Put(L"ab", 0, 2);
        host_.Press(KeyDown(row.typed, 0xE8, SHIFT_PRESSED));
        EXPECT_EQ(host_.lines[0], row.line);
        EXPECT_EQ(host_.bracketDepth, 0);
    }
    // The Latin letter is fed as a typed character.
    EXPECT_EQ(host_.fedKeys.back().Event.KeyEvent.uChar.UnicodeChar, L'P');
    EXPECT_EQ(host_.fedKeys.back().Event.KeyEvent.wVirtualKeyCode, 0);
    // After "x" typed, Ctrl+Z takes back the H alone, then the x.
    host_.Put(L"", 0, 0);
    host_.Press(KeyDown(L'x', 'X'));
    host_.Press(KeyDown(L'\u041D', 0xE8));
    EXPECT_EQ(host_.lines[0], L"xH");
    EXPECT_TRUE(host_.Undo());
    EXPECT_EQ(host_.lines[0], L"x");
    // With Ctrl or Alt the letter stays.
    host_.Put(L"", 0, 0);
    EXPECT_EQ(host_.Press(KeyDown(L'\u041D', 0xE8, kAlt)), 0);
    EXPECT_EQ(host_.lines[0], L"");
}

TEST_F(Far2lFace, ActsOnlyWhereAMaskMatchesTheNameWithoutItsFolder) {
    marten::far2l::TextSettings[marten::kFileMask] = L"*.[a,b]x,golded.*";
    host_.fileName = L"/home/user/fido/GOLDED.TMP";
    host_.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 1);
    EXPECT_EQ(host_.comparisons, (std::vector<std::pair<std::wstring, std::wstring>>{
                                     {L"*.[a,b]x", L"GOLDED.TMP"}, {L"golded.*", L"GOLDED.TMP"}}));

    host_.fileName = L"/home/user/notes.txt";
    host_.Put(L"AB> x y", 0, 4);
    host_.calls.clear();
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 0);
    EXPECT_EQ(host_.Text(), L"AB> \nx y");
    // far2l fills the buffer it is given without a bound: its size is asked first.
    EXPECT_EQ(host_.Commands(),
              (std::vector<int>{far2l_api::ECTL_GETINFO, far2l_api::ECTL_GETFILENAME,
                                far2l_api::ECTL_GETFILENAME}));
}

TEST_F(Far2lFace, ActivationFollowsTheNameAndTheMasksOfEveryKey) {
    marten::far2l::TextSettings[marten::kFileMask] = L"*.msg";
    host_.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 1);
    // The same name and masks again: the outcome is known, nothing is compared.
    host_.comparisons.clear();
    host_.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 1);
    EXPECT_TRUE(host_.comparisons.empty());

    // Saved under a long name that does not match, then one that does.
    host_.fileName = L"/home/" + std::wstring(600, L'd') + L"/notes.txt";
    host_.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 0);
    host_.fileName = L"/home/" + std::wstring(600, L'd') + L"/reply.msg";
    host_.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 1);
    // The masks changed under the same name.
    marten::far2l::TextSettings[marten::kFileMask] = L"*.txt";
    host_.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(KeyDown(0, VK_RETURN)), 0);
}

TEST_F(Far2lFace, IgnoresOtherRecordsAndKeyUps) {
    far2l_api::INPUT_RECORD mouse{};
    mouse.EventType = 2;
    EXPECT_EQ(ProcessEditorInputW(&mouse), 0);
    EXPECT_EQ(ProcessEditorInputW(nullptr), 0);
    EXPECT_TRUE(host_.calls.empty());
    far2l_api::INPUT_RECORD up = KeyDown(0, VK_RETURN);
    up.Event.KeyEvent.bKeyDown = 0;
    host_.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(ProcessEditorInputW(&up), 0);
    EXPECT_EQ(host_.Text(), L"AB> x y");
}

TEST(Far2lEntryPoints, AnswerAsFar2lExpects) {
    far2ltest::ScratchProfile profile;
    Far2lFakeHost host;
    SetStartupInfoW(&host.startupInfo);
    EXPECT_EQ(GetMinFarVersionW(), 0x00020006);

    alignas(8) far2l_api::PluginInfo info{};  // its ints aligned for EXPECT_EQ's references
    GetPluginInfoW(&info);
    EXPECT_EQ(info.StructSize, 64);
    EXPECT_EQ(info.Flags, DWORD{far2l_api::PF_EDITOR | far2l_api::PF_DISABLEPANELS});
    // The editor's menu: the settings, then the reflow; the configuration
    // list keeps its one entry. A macro's CallPlugin finds the module by SysID.
    ASSERT_EQ(info.PluginMenuStringsNumber, 2);
    EXPECT_EQ(std::wstring(info.PluginMenuStrings[0]), L"msg7");  // MPluginTitle
    EXPECT_EQ(std::wstring(info.PluginMenuStrings[1]),
              L"msg" + std::to_wstring(static_cast<int>(marten::MReflowCommand)));
    EXPECT_EQ(info.SysID, DWORD{0x4D52544E});
    EXPECT_EQ(host.msgPluginNumbers, (std::vector<int>{0x5a5a, 0x5a5a}));
    ASSERT_EQ(info.PluginConfigStringsNumber, 1);
    EXPECT_EQ(std::wstring(info.PluginConfigStrings[0]), L"msg7");
    EXPECT_EQ(info.DiskMenuStringsNumber, 0);

    // Both open the configuration menu, which the user leaves at once.
    EXPECT_EQ(OpenPluginW(far2l_api::OPEN_EDITOR, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(ConfigureW(0), 1);
    EXPECT_EQ(host.menus.size(), 2u);
    EXPECT_EQ(ProcessEditorEventW(far2l_api::EE_READ, nullptr), 0);
    GetPluginInfoW(nullptr);
}

TEST(Far2lEntryPoints, AShortStartupRecordLeavesTheRestUnset) {
    far2ltest::ScratchProfile profile;
    Far2lFakeHost host;
    // A record that ends halfway into FSF: the pointer is not taken, so no
    // mask can match and the module stands aside.
    host.startupInfo.StructSize = static_cast<int>(offsetof(far2l_api::PluginStartupInfo, FSF) + 4);
    SetStartupInfoW(&host.startupInfo);
    // Copied out first: the packed record's pointers are not aligned for a reference.
    const far2l_api::FARAPIEDITORCONTROL control = marten::far2l::Host.EditorControl;
    const far2l_api::FarStandardFunctions* fsf = marten::far2l::Host.FSF;
    EXPECT_NE(control, nullptr);
    EXPECT_EQ(fsf, nullptr);
    host.Put(L"AB> x y", 0, 4);
    EXPECT_EQ(host.Press(KeyDown(0, VK_RETURN)), 0);
    EXPECT_EQ(host.Text(), L"AB> \nx y");

    // No record at all: nothing is called.
    SetStartupInfoW(nullptr);
    host.calls.clear();
    EXPECT_EQ(host.Press(KeyDown(0, VK_RETURN)), 0);
    EXPECT_TRUE(host.calls.empty());
}

}  // namespace
