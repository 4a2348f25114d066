// The Unicode face on the stand-in host: the features on UTF-16 lines, the
// undo step around each key the module changes the text on, the masks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "api/unicode_api.hpp"
#include "module/settings/settings.hpp"
#include "module/ui/messages.hpp"
#include "module/unicode/settings_store.hpp"
#include "module/unicode/unicode_editor.hpp"
#include "tests/support/unicode_fake_host.hpp"

namespace {

using testsupport::UnicodeFakeHost;
using testsupport::UnicodeKeyDown;

std::string Narrow(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '#';
    return out;
}

class UnicodeFace : public testing::Test {
protected:
    void SetUp() override {
        host_.store[u"RIndent"] = std::uint64_t{20};  // a store that is not empty: no take-over
        SetStartupInfoW(&host_.startupInfo);
        host_.calls.clear();
    }

    void Put(const std::u16string& text, std::intptr_t line, std::intptr_t pos) {
        host_.SetText(text);
        host_.curLine = line;
        host_.curPos = pos;
    }

    UnicodeFakeHost host_;
};

TEST_F(UnicodeFace, EnterCarriesThePrefixInOneUndoStep) {
    Put(u" AB> Hello world", 0, 10);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 1);
    EXPECT_EQ(Narrow(host_.Text()), " AB> Hello\nAB>  world");
    EXPECT_EQ(host_.curLine, 1);
    // The module's change and the editor's own break form one bracket,
    // closed before the answer.
    const std::vector<int> commands = host_.Commands();
    ASSERT_GE(commands.size(), 3u);
    EXPECT_EQ(host_.calls.front().command, unicode_api::ECTL_GETINFO);
    EXPECT_EQ(host_.calls.back(),
              (testsupport::UnicodeEditorCall{unicode_api::ECTL_UNDOREDO, unicode_api::EUR_END}));
    EXPECT_EQ(host_.undoDepth, 0);
    EXPECT_FALSE(host_.wrongEditorAddressed);
    EXPECT_TRUE(host_.Undo());
    EXPECT_EQ(Narrow(host_.Text()), " AB> Hello world");
    EXPECT_FALSE(host_.Undo());
}

TEST_F(UnicodeFace, JoinsDropTheSecondPrefix) {
    Put(u" AB> one\n AB> two", 0, 8);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(0, VK_DELETE)), 1);
    EXPECT_EQ(Narrow(host_.Text()), " AB> onetwo");

    Put(u" AB> one\n AB> two", 1, 0);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(8, VK_BACK)), 1);
    EXPECT_EQ(Narrow(host_.Text()), " AB> onetwo");
    EXPECT_EQ(host_.curPos, 8);

    // An unquoted neighbour: nothing changes, no bracket, the editor joins.
    Put(u" AB> one\nplain", 0, 8);
    host_.calls.clear();
    EXPECT_EQ(host_.Press(UnicodeKeyDown(0, VK_DELETE)), 0);
    EXPECT_EQ(Narrow(host_.Text()), " AB> oneplain");
    for (const auto& call : host_.calls) EXPECT_NE(call.command, unicode_api::ECTL_UNDOREDO);
}

TEST_F(UnicodeFace, WrapRepeatsThePrefixAndUndoesInOneStep) {
    const std::u16string line = u" AB> aaaa bbbb cccc dddd eeee";
    Put(line, 0, static_cast<std::intptr_t>(line.size()));
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'f')), 1);
    EXPECT_EQ(Narrow(host_.Text()), " AB> aaaa bbbb cccc\n AB> dddd eeeef");
    // Lines the module broke keep "\r\n"; the last one keeps having none.
    EXPECT_EQ(host_.eols, (std::vector<std::u16string>{u"\r\n", u""}));
    EXPECT_TRUE(host_.Undo());
    EXPECT_EQ(host_.Text(), line);
    EXPECT_FALSE(host_.Undo());
}

TEST_F(UnicodeFace, WrapNeverSplitsASurrogatePair) {
    // No blank to break at: the hard cut falls at the margin (20 units),
    // which would split the tenth pair after "x".
    std::u16string line = u"x";
    for (int i = 0; i < 15; ++i) line += u"\U0001F600";
    Put(line, 0, static_cast<std::intptr_t>(line.size()));
    host_.Press(UnicodeKeyDown(u'y'));
    std::u16string joined;
    for (const std::u16string& l : host_.lines) {
        ASSERT_FALSE(l.empty());
        EXPECT_LE(l.size(), 20u);
        EXPECT_FALSE(l.back() >= 0xD800 && l.back() < 0xDC00) << "a line ends inside a pair";
        EXPECT_FALSE(l.front() >= 0xDC00 && l.front() < 0xE000) << "a line starts inside a pair";
        joined += l;
    }
    EXPECT_EQ(joined, line + u"y");
}

TEST_F(UnicodeFace, ReplacesTheThreeLettersAsTyped) {
    const struct {
        char16_t typed;
        char16_t put;
    } rows[] = {{u'\u041D', u'H'}, {u'\u0440', u'p'}, {u'\u0420', u'P'}, {u'\u043D', u'\u043D'}};
    for (const auto& row : rows) {
        Put(u"ab", 0, 2);
        host_.Press(UnicodeKeyDown(row.typed, 0, SHIFT_PRESSED));
        EXPECT_EQ(host_.lines[0], std::u16string(u"ab") + row.put);
        EXPECT_EQ(host_.undoDepth, 0);
    }
    // With Ctrl or Alt the letter stays.
    Put(u"", 0, 0);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\u041D', 0, LEFT_ALT_PRESSED)), 0);
    EXPECT_EQ(host_.lines[0], u"\u041D");
}

TEST_F(UnicodeFace, ActsOnlyWhereAMaskMatches) {
    marten::unicode::TextSettings[marten::kFileMask] = u"*.[a,b]x,golded.*";
    host_.fileName = u"C:\\Fido\\GOLDED.TMP";
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 1);
    EXPECT_EQ(host_.nameComparisons,
              (std::vector<std::pair<std::u16string, std::u16string>>{
                  {u"*.[a,b]x", u"GOLDED.TMP"}, {u"golded.*", u"GOLDED.TMP"}}));

    host_.fileName = u"C:\\Fido\\notes.txt";
    Put(u"AB> x y", 0, 4);
    host_.calls.clear();
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 0);
    EXPECT_EQ(Narrow(host_.Text()), "AB> \nx y");
    // The buffer of the last name had the room: the name is asked for once.
    EXPECT_EQ(host_.Commands(),
              (std::vector<int>{unicode_api::ECTL_GETINFO, unicode_api::ECTL_GETFILENAME}));
}

TEST_F(UnicodeFace, ActivationFollowsTheNameAndTheMasksOfEveryKey) {
    marten::unicode::TextSettings[marten::kFileMask] = u"*.msg";
    host_.fileName = u"C:\\Fido\\reply.msg";
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 1);
    // The same name and masks again: the outcome is known, nothing is compared.
    host_.nameComparisons.clear();
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 1);
    EXPECT_TRUE(host_.nameComparisons.empty());

    // Saved under a longer name that does not match: the module stands aside.
    host_.fileName = u"C:\\Fido\\a much longer folder name\\notes.txt";
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 0);
    EXPECT_EQ(Narrow(host_.Text()), "AB> \nx y");

    // Back to the matching name, then the masks changed under it.
    host_.fileName = u"C:\\Fido\\reply.msg";
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 1);
    marten::unicode::TextSettings[marten::kFileMask] = u"*.txt";
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 0);

    // A name that ends early in its buffer is taken up to its end.
    host_.fileName = std::u16string(u"C:\\Fido\\x.txt\0.msg", 18);
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 1);
    marten::unicode::TextSettings[marten::kFileMask] = u"*.msg";
    Put(u"AB> x y", 0, 4);
    EXPECT_EQ(host_.Press(UnicodeKeyDown(u'\r', VK_RETURN)), 0);
}

TEST_F(UnicodeFace, IgnoresMouseRecordsAndAnsweringHosts) {
    INPUT_RECORD mouse{};
    mouse.EventType = MOUSE_EVENT;
    unicode_api::ProcessEditorInputInfo info{sizeof info, mouse, nullptr};
    EXPECT_EQ(ProcessEditorInputW(&info), 0);
    EXPECT_EQ(ProcessEditorInputW(nullptr), 0);
    EXPECT_TRUE(host_.calls.empty());
}

TEST(UnicodeFaceIdentity, GlobalInfoAndMenus) {
    UnicodeFakeHost host;
    SetStartupInfoW(&host.startupInfo);
    unicode_api::GlobalInfo global{};
    global.StructSize = sizeof global;
    GetGlobalInfoW(&global);
    EXPECT_EQ(global.MinFarVersion.Major, 3u);
    EXPECT_EQ(global.MinFarVersion.Build, 6682u);
    EXPECT_NE(global.Guid.Data1, 0u);
    ASSERT_NE(global.Title, nullptr);
    EXPECT_EQ(std::u16string(global.Title), u"Marten");

    unicode_api::PluginInfo info{};
    info.StructSize = sizeof info;
    GetPluginInfoW(&info);
    EXPECT_EQ(info.Flags, unicode_api::PF_EDITOR | unicode_api::PF_DISABLEPANELS);
    // The editor's menu: the settings, then the reflow; the configuration
    // list keeps its one entry. Every GUID is its own.
    ASSERT_EQ(info.PluginMenu.Count, 2u);
    ASSERT_EQ(info.PluginConfig.Count, 1u);
    // The fake host names a message by its id.
    const auto text = [](int id) {
        const std::string digits = "msg" + std::to_string(id);
        return std::u16string(digits.begin(), digits.end());
    };
    EXPECT_EQ(std::u16string(info.PluginMenu.Strings[0]), text(marten::MPluginTitle));
    EXPECT_EQ(std::u16string(info.PluginMenu.Strings[1]), text(marten::MReflowCommand));
    EXPECT_FALSE(unicode_api::SameGuid(info.PluginMenu.Guids[0], info.PluginConfig.Guids[0]));
    EXPECT_FALSE(unicode_api::SameGuid(info.PluginMenu.Guids[0], global.Guid));
    EXPECT_FALSE(unicode_api::SameGuid(info.PluginMenu.Guids[1], info.PluginMenu.Guids[0]));
    EXPECT_FALSE(unicode_api::SameGuid(info.PluginMenu.Guids[1], info.PluginConfig.Guids[0]));
    EXPECT_FALSE(unicode_api::SameGuid(info.PluginMenu.Guids[1], global.Guid));

    // The menu from the configuration list: About, then the user leaves.
    host.menuAnswer = 2;
    unicode_api::ConfigureInfo configure{sizeof configure, &info.PluginConfig.Guids[0], nullptr};
    ConfigureW(&configure);
    EXPECT_EQ(host.menusShown, 2);
    EXPECT_EQ(host.messageTitles, std::vector<std::u16string>{u"msg4"});
}

}  // namespace
