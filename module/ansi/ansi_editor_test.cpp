// ProcessEditorInput through recording host services: which key records pass
// which test, the activation test, and the exact host calls of each branch;
// FileMaskMatch's use of the host's name comparison.
#include "module/ansi/ansi_editor.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "module/ansi/host_info.hpp"
#include "module/ansi/settings_store.hpp"
#include "module/editor/dispatch.hpp"
#include "module/settings/settings_table.hpp"
#include "tests/support/key_records.hpp"
#include "tests/support/module_state.hpp"

namespace marten::ansi {
namespace {

using testsupport::EditorCall;
using testsupport::FakeHost;
using testsupport::InstalledHost;
using testsupport::KeyRecord;
using testsupport::ModuleStateGuard;
using Call = EditorCall;

KEY_EVENT_RECORD Key(WORD virtualKey, unsigned char ch, DWORD state = 0, BOOL down = 1) {
    return testsupport::KeyEvent(virtualKey, ch, state, down);
}

class DispatchTest : public ::testing::Test {
protected:
    void SetUp() override { SetDefaultSettings(TextSettings); }

    int Send(const KEY_EVENT_RECORD& key) {
        const INPUT_RECORD record = KeyRecord(key);
        return ProcessEditorInput(&record);
    }

    ModuleStateGuard guard_;
    FakeHost host_;
};

// --- The seven tests, one record at a time ---------------------------------

constexpr DWORD kLocks = NUMLOCK_ON | CAPSLOCK_ON | SCROLLLOCK_ON | ENHANCED_KEY;

TEST_F(DispatchTest, SubstitutionIgnoresShiftAndLocksButNotCtrlOrAlt) {
    for (unsigned char ch : {0x8D, 0xE0, 0x90}) {
        EXPECT_TRUE(PassesSubstitutionTest(Key(0, ch))) << int(ch);
        EXPECT_TRUE(PassesSubstitutionTest(Key(0, ch, SHIFT_PRESSED | kLocks))) << int(ch);
        for (DWORD blocking :
             {RIGHT_ALT_PRESSED, LEFT_ALT_PRESSED, RIGHT_CTRL_PRESSED, LEFT_CTRL_PRESSED}) {
            EXPECT_FALSE(PassesSubstitutionTest(Key(0, ch, blocking)))
                << int(ch) << ' ' << blocking;
        }
        EXPECT_FALSE(PassesSubstitutionTest(Key(0, ch, 0, /*down=*/0))) << int(ch);
    }
    // Their neighbours and the Latin letters are not substituted.
    for (int ch : {0x8C, 0x8E, 0xE1, 0x91, int{'H'}, int{'p'}, int{'P'}}) {
        EXPECT_FALSE(PassesSubstitutionTest(Key(0, static_cast<unsigned char>(ch)))) << ch;
    }
    Settings.EnableHPChange = 0;
    EXPECT_FALSE(PassesSubstitutionTest(Key(0, 0x8D)));
}

TEST_F(DispatchTest, EnterNeedsNoModifierAtAll) {
    EXPECT_TRUE(PassesEnterTest(Key(VK_RETURN, 13)));
    EXPECT_TRUE(PassesEnterTest(Key(VK_RETURN, 0, kLocks)));
    for (DWORD modifier : {RIGHT_ALT_PRESSED, LEFT_ALT_PRESSED, RIGHT_CTRL_PRESSED,
                           LEFT_CTRL_PRESSED, SHIFT_PRESSED}) {
        EXPECT_FALSE(PassesEnterTest(Key(VK_RETURN, 13, modifier))) << modifier;
    }
    EXPECT_FALSE(PassesEnterTest(Key(VK_RETURN, 13, 0, 0)));
    // The character alone is not Enter: the virtual key decides.
    EXPECT_FALSE(PassesEnterTest(Key(0, 13)));
    Settings.EnableQuote = 0;
    EXPECT_FALSE(PassesEnterTest(Key(VK_RETURN, 13)));
}

TEST_F(DispatchTest, DeleteAndBackspaceAcceptCtrlButNotShiftOrAlt) {
    struct Row {
        bool (*test)(const KEY_EVENT_RECORD&);
        WORD key;
    };
    for (Row row : {Row{PassesDeleteTest, VK_DELETE}, Row{PassesBackspaceKeyTest, VK_BACK}}) {
        EXPECT_TRUE(row.test(Key(row.key, 0)));
        EXPECT_TRUE(row.test(Key(row.key, 0, LEFT_CTRL_PRESSED | kLocks)));
        EXPECT_TRUE(row.test(Key(row.key, 0, RIGHT_CTRL_PRESSED)));
        for (DWORD modifier : {RIGHT_ALT_PRESSED, LEFT_ALT_PRESSED, SHIFT_PRESSED}) {
            EXPECT_FALSE(row.test(Key(row.key, 0, modifier))) << row.key << ' ' << modifier;
        }
        EXPECT_FALSE(row.test(Key(row.key, 0, 0, 0)));
        Settings.EnableQuote = 0;
        EXPECT_FALSE(row.test(Key(row.key, 0)));
        Settings.EnableQuote = 1;
    }
    EXPECT_FALSE(PassesDeleteTest(Key(VK_BACK, 8)));
    EXPECT_FALSE(PassesBackspaceKeyTest(Key(VK_DELETE, 0)));
}

TEST_F(DispatchTest, TypedCharacterDependsOnlyOnTheCharacter) {
    EXPECT_TRUE(PassesTypedCharacterTest(Key('A', 'a')));
    EXPECT_TRUE(PassesTypedCharacterTest(
        Key(VK_RETURN, 13, SHIFT_PRESSED | LEFT_ALT_PRESSED | RIGHT_CTRL_PRESSED)));
    EXPECT_TRUE(PassesTypedCharacterTest(Key(0, 0xFF)));
    EXPECT_FALSE(PassesTypedCharacterTest(Key(VK_LEFT, 0)));
    EXPECT_FALSE(PassesTypedCharacterTest(Key('A', 'a', 0, 0)));
    Settings.EnableAutoWrap = 0;
    EXPECT_FALSE(PassesTypedCharacterTest(Key('A', 'a')));
}

// --- Whole records through the export ---------------------------------------

TEST_F(DispatchTest, RecordsThatAreNotKeyEventsCallNothing) {
    InstalledHost installed(host_);
    // Mouse bytes that, read as a key, would be a key-down of Enter with a character.
    INPUT_RECORD record = KeyRecord(Key(VK_RETURN, 0x8D));
    for (int type :
         {int{MOUSE_EVENT}, int{WINDOW_BUFFER_SIZE_EVENT}, int{MENU_EVENT}, int{FOCUS_EVENT}, 0}) {
        record.EventType = static_cast<WORD>(type);
        EXPECT_EQ(ProcessEditorInput(&record), 0) << type;
    }
    EXPECT_EQ(ProcessEditorInput(nullptr), 0);
    EXPECT_TRUE(host_.calls.empty());
    EXPECT_TRUE(host_.comparisons.empty());
}

TEST_F(DispatchTest, WithoutEditorOrNameServiceNothingIsCalled) {
    InstalledHost installed(host_);
    HostInfo.EditorControl = nullptr;
    EXPECT_EQ(Send(Key(0, 0x8D)), 0);
    EXPECT_TRUE(host_.comparisons.empty());

    HostInfo.EditorControl = testsupport::StartupInfoOf("").EditorControl;
    HostInfo.CmpName = nullptr;
    EXPECT_EQ(Send(Key(0, 0x8D)), 0);
    EXPECT_TRUE(host_.calls.empty());
}

TEST_F(DispatchTest, EmptyMaskNeverActivates) {
    InstalledHost installed(host_);
    TextSettings[kFileMask].clear();
    host_.lines = {" AB> Hello world", " AB> more"};
    host_.curPos = 0;
    for (const KEY_EVENT_RECORD& key :
         {Key(0, 0x8D), Key(VK_RETURN, 13), Key(VK_DELETE, 0), Key(VK_BACK, 8), Key('A', 'a')}) {
        host_.calls.clear();
        EXPECT_EQ(Send(key), 0);
        EXPECT_EQ(host_.calls, (std::vector<Call>{{ECTL_GETINFO}}));
    }
    EXPECT_TRUE(host_.comparisons.empty());
    EXPECT_EQ(host_.lines, (std::vector<std::string>{" AB> Hello world", " AB> more"}));
}

TEST_F(DispatchTest, EveryItemIsTriedUpToTheFirstMatchWithTheDirectorySkipped) {
    InstalledHost installed(host_);
    TextSettings[kFileMask] = "*.txt,*.msg,golded.*";
    host_.fileName = "C:\\Fido\\Out\\reply.msg";
    Send(Key(VK_LEFT, 0));
    ASSERT_EQ(host_.comparisons.size(), 2u);
    EXPECT_EQ(host_.comparisons[0].pattern, "*.txt");
    EXPECT_EQ(host_.comparisons[1].pattern, "*.msg");
    for (const auto& comparison : host_.comparisons) {
        EXPECT_EQ(comparison.name, "C:\\Fido\\Out\\reply.msg");
        EXPECT_EQ(comparison.skipPath, 1);
    }
}

TEST_F(DispatchTest, OnlyTheFirst255CharactersOfTheNameAreMatched) {
    InstalledHost installed(host_);
    TextSettings[kFileMask] = "*.msg";
    const std::string folder = "/" + std::string(240, 'd') + "/";
    host_.fileName = folder + std::string(255 - folder.size() - 4, 'n') + ".msg";  // 255 exactly
    ASSERT_EQ(host_.fileName.size(), 255u);
    host_.curPos = 0;
    EXPECT_EQ(Send(Key(0, 0x8D)), 1);

    host_.fileName = folder + std::string(255 - folder.size() - 3, 'n') + ".msg";  // 256
    host_.comparisons.clear();
    host_.fedKeys.clear();
    EXPECT_EQ(Send(Key(0, 0x8D)), 0);
    ASSERT_EQ(host_.comparisons.size(), 1u);
    EXPECT_EQ(host_.comparisons[0].name, host_.fileName.substr(0, 255));
    EXPECT_TRUE(host_.fedKeys.empty());
}

TEST_F(DispatchTest, AMissingFileNameCountsAsEmpty) {
    InstalledHost installed(host_);
    host_.nullFileName = true;
    EXPECT_EQ(Send(Key(0, 0x8D)), 0);
    TextSettings[kFileMask] = "*";
    EXPECT_EQ(Send(Key(0, 0x8D)), 1);
    EXPECT_EQ(host_.comparisons.back().name, "");
}

TEST_F(DispatchTest, SubstitutionFeedsTheLetterAndEndsTheCall) {
    InstalledHost installed(host_);
    host_.lines = {std::string(100, 'x')};  // long enough to wrap, at the cursor
    host_.curPos = 100;
    EXPECT_EQ(Send(Key(0, 0x8D, SHIFT_PRESSED)), 1);
    EXPECT_EQ(host_.Commands(), (std::vector<int>{ECTL_GETINFO, ECTL_PROCESSINPUT}));
    ASSERT_EQ(host_.fedKeys.size(), 1u);
    const INPUT_RECORD& fed = host_.fedKeys[0];
    EXPECT_EQ(fed.EventType, KEY_EVENT);
    EXPECT_EQ(fed.Event.KeyEvent.bKeyDown, 1);
    EXPECT_EQ(fed.Event.KeyEvent.wRepeatCount, 1);
    EXPECT_EQ(fed.Event.KeyEvent.uChar.AsciiChar, 'H');
    EXPECT_EQ(fed.Event.KeyEvent.wVirtualKeyCode, 0);
    EXPECT_EQ(fed.Event.KeyEvent.wVirtualScanCode, 0);
    EXPECT_EQ(fed.Event.KeyEvent.dwControlKeyState, 0u);
}

TEST_F(DispatchTest, LetterWithCtrlOrAltGoesOnToTheTypedCharacterTest) {
    InstalledHost installed(host_);
    host_.lines = {"short"};
    host_.curPos = 5;
    EXPECT_EQ(Send(Key(0, 0x8D, LEFT_CTRL_PRESSED)), 0);
    EXPECT_TRUE(host_.fedKeys.empty());
    EXPECT_EQ(host_.calls, (std::vector<Call>{{ECTL_GETINFO}, {ECTL_GETSTRING, -1}}));
}

TEST_F(DispatchTest, EnterUsesTheStartInformationAndThenReachesTheWrap) {
    InstalledHost installed(host_);
    host_.lines = {" AB> Hello world"};
    host_.curPos = 10;
    EXPECT_EQ(Send(Key(VK_RETURN, 13)), 0);
    EXPECT_EQ(host_.calls, (std::vector<Call>{{ECTL_GETINFO},
                                              {ECTL_GETSTRING, -1},
                                              {ECTL_EDITORTOOEM},
                                              {ECTL_OEMTOEDITOR},
                                              {ECTL_SETSTRING, -1},
                                              {ECTL_GETSTRING, -1}}));  // the wrap's look
    EXPECT_EQ(host_.lines[0], " AB> HelloAB>  world");
    ASSERT_EQ(host_.stores.size(), 1u);
    EXPECT_EQ(host_.stores[0].StringEOL, nullptr);
}

TEST_F(DispatchTest, EnterWithAModifierGetsNoQuotation) {
    InstalledHost installed(host_);
    host_.lines = {" AB> Hello world"};
    host_.curPos = 10;
    for (DWORD modifier : {SHIFT_PRESSED, LEFT_CTRL_PRESSED, RIGHT_ALT_PRESSED}) {
        host_.calls.clear();
        EXPECT_EQ(Send(Key(VK_RETURN, 13, modifier)), 0);
        EXPECT_EQ(host_.calls, (std::vector<Call>{{ECTL_GETINFO}, {ECTL_GETSTRING, -1}}));
        // A record without its character does not reach the wrap either.
        host_.calls.clear();
        Send(Key(VK_RETURN, 0, modifier));
        EXPECT_EQ(host_.calls, (std::vector<Call>{{ECTL_GETINFO}}));
    }
    EXPECT_EQ(host_.lines[0], " AB> Hello world");
}

// Delete at the end of the upper line and Backspace at the start of the
// lower one, with Ctrl or without: the same join under the quotation, the
// Backspace branch refreshing the cursor before it tests the column.
TEST_F(DispatchTest, DeleteAndBackspaceJoinUnderTheQuotationWithOrWithoutCtrl) {
    const struct {
        WORD key;
        int line, pos;
        std::vector<Call> calls;
    } branches[] = {
        {VK_DELETE,
         0,
         10,
         {{ECTL_GETINFO},
          {ECTL_GETINFO},
          {ECTL_GETSTRING, -1},
          {ECTL_GETSTRING, 1},
          {ECTL_GETSTRING, -1},
          {ECTL_EDITORTOOEM},
          {ECTL_OEMTOEDITOR},
          {ECTL_SETSTRING, 1}}},
        {VK_BACK,
         1,
         0,
         {{ECTL_GETINFO},
          {ECTL_GETINFO},
          {ECTL_GETSTRING, -1},
          {ECTL_GETSTRING, 0},
          {ECTL_EDITORTOOEM},
          {ECTL_OEMTOEDITOR},
          {ECTL_SETSTRING, -1}}},
    };
    for (const auto& branch : branches) {
        for (DWORD ctrl : {DWORD{0}, DWORD{LEFT_CTRL_PRESSED}, DWORD{RIGHT_CTRL_PRESSED}}) {
            FakeHost host;
            InstalledHost installed(host);
            host.lines = {" AB> first", " AB> second"};
            host.curLine = branch.line;
            host.curPos = branch.pos;
            EXPECT_EQ(Send(Key(branch.key, 0, ctrl)), 0);
            EXPECT_EQ(host.calls, branch.calls) << branch.key << " " << ctrl;
            EXPECT_EQ(host.lines[1], "second") << branch.key << " " << ctrl;
        }
    }
}

TEST_F(DispatchTest, BackspaceAwayFromColumnZeroEndsAfterTheRefresh) {
    InstalledHost installed(host_);
    host_.lines = {" AB> first", " AB> second"};
    host_.curLine = 1;
    host_.curPos = 3;
    EXPECT_EQ(Send(Key(VK_BACK, 0)), 0);
    EXPECT_EQ(host_.calls, (std::vector<Call>{{ECTL_GETINFO}, {ECTL_GETINFO}}));
}

TEST_F(DispatchTest, KeyUpRecordsPassNoTest) {
    InstalledHost installed(host_);
    host_.lines = {" AB> first", " AB> second"};
    host_.curLine = 1;
    host_.curPos = 0;
    for (const KEY_EVENT_RECORD& key :
         {Key(0, 0x8D, 0, 0), Key(VK_RETURN, 13, 0, 0), Key(VK_DELETE, 0, 0, 0),
          Key(VK_BACK, 8, 0, 0), Key('A', 'a', 0, 0)}) {
        host_.calls.clear();
        EXPECT_EQ(Send(key), 0);
        EXPECT_EQ(host_.calls, (std::vector<Call>{{ECTL_GETINFO}}));
    }
}

// --- The editor operations --------------------------------------------------

TEST_F(DispatchTest, FetchLineTakesExactlyTheHostsLengthAndReportsMissingLines) {
    InstalledHost installed(host_);
    host_.lines = {"one", "", "three"};
    Text buffer = "stale";
    EXPECT_TRUE(FetchLine(2, buffer));
    EXPECT_EQ(buffer, "three");
    EXPECT_TRUE(FetchLine(1, buffer));
    EXPECT_EQ(buffer, "");
    buffer = "stale";
    EXPECT_FALSE(FetchLine(3, buffer));
    EXPECT_EQ(buffer, "");
    EXPECT_FALSE(FetchLine(-5, buffer));
}

TEST_F(DispatchTest, OperationsFillTheHostRecordsExactly) {
    InstalledHost installed(host_);
    host_.lines = {"abc"};
    for (int i = 0; i < 256; ++i) host_.toEditor[i] = static_cast<unsigned char>(255 - i);

    Text stored("\x01\x02", 2);
    StoreLine(-1, stored);
    ASSERT_EQ(host_.stores.size(), 1u);
    EXPECT_EQ(host_.stores[0].StringNumber, -1);
    EXPECT_EQ(host_.stores[0].StringEOL, nullptr);
    EXPECT_EQ(host_.stores[0].StringLength, 2);
    EXPECT_EQ(host_.storedTexts[0], "\x01\x02");  // the editor's own bytes, not converted

    PlaceCursor(17);
    ASSERT_EQ(host_.positions.size(), 1u);
    const EditorSetPosition& pos = host_.positions[0];
    EXPECT_EQ(std::vector<int>({pos.CurLine, pos.CurPos, pos.CurTabPos, pos.TopScreenLine,
                                pos.LeftPos, pos.Overtype}),
              std::vector<int>({-1, 17, -1, -1, -1, -1}));

    // The flag is 0 or 1 even when the stored byte is something else.
    for (Flag stored : {Flag{0}, Flag{1}, Flag{5}}) {
        Settings.EnableAutoIndent = stored;
        host_.lines = {"abc"};
        host_.curLine = 0;
        BreakLine();
    }
    EXPECT_EQ(host_.insertFlags, (std::vector<int>{0, 1, 1}));

    Redraw();
    EXPECT_EQ(host_.redrawParams, (std::vector<void*>{nullptr}));
}

TEST_F(DispatchTest, ConversionsCopeWithEmptyTextsAndRefusingHosts) {
    InstalledHost installed(host_);
    for (int i = 0; i < 256; ++i) host_.toOem[i] = static_cast<unsigned char>(i ^ 0x80);
    const Text original("a\0b", 3);
    EXPECT_EQ(EditorToOem(original), Text("\xE1\x80\xE2", 3));
    EXPECT_EQ(original, Text("a\0b", 3));  // the argument is not converted in place
    EXPECT_EQ(EditorToOem(Text()), Text());
    EXPECT_NE(EditState.ConvertRec.Text, nullptr);
    EXPECT_EQ(EditState.ConvertRec.TextLength, 0);

    host_.refuseConversions = true;
    EXPECT_EQ(OemToEditor(Text("xyz")), "xyz");
}

// A host whose conversions misreport the length: longer or shorter than the text.
int storedLength = -1;
int WINAPI MisreportingConverter(int command, void* param) {
    if (command == ECTL_EDITORTOOEM) static_cast<EditorConvertText*>(param)->TextLength = 1000;
    if (command == ECTL_OEMTOEDITOR) static_cast<EditorConvertText*>(param)->TextLength = 2;
    if (command == ECTL_SETSTRING)
        storedLength = static_cast<EditorSetString*>(param)->StringLength;
    return 1;
}

TEST_F(DispatchTest, NoHostCallIsHandedOrReadPastTheText) {
    InstalledHost installed(host_);
    HostInfo.EditorControl = MisreportingConverter;
    EXPECT_EQ(EditorToOem(Text("four")), "four");
    EXPECT_EQ(OemToEditor(Text("four")), "fo");
    Text four("four");
    StoreLine(-1, four);
    EXPECT_EQ(storedLength, 4);
}

// ---------------------------------------------------------------------------
// FileMaskMatch
// ---------------------------------------------------------------------------

// A name comparison that answers from a list, to see what FileMaskMatch counts.
using Strings = std::vector<std::string>;
std::vector<int> answers;
std::vector<std::string> patternsSeen;
int WINAPI ScriptedCmpName(const char* pattern, const char*, int) {
    patternsSeen.emplace_back(pattern);
    if (answers.empty()) return 0;
    const int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

TEST(FileMaskMatch, OnlyAnAnswerOfExactlyOneIsAMatch) {
    testsupport::FakeHost host;
    testsupport::InstalledHost installed(host);
    HostInfo.CmpName = ScriptedCmpName;
    answers = {2, -1, 1, 1};
    patternsSeen.clear();
    EXPECT_TRUE(FileMaskMatch("a,,b,c,d", "x"));
    EXPECT_EQ(patternsSeen, (Strings{"a", "", "b"}));  // stops at the first match

    answers = {0, 2, 0};
    patternsSeen.clear();
    EXPECT_FALSE(FileMaskMatch("a,b,c", "x"));
    EXPECT_EQ(patternsSeen.size(), 3u);
    answers.clear();
}

TEST(FileMaskMatch, ComparesTheNamePartOnly) {
    testsupport::FakeHost host;
    testsupport::InstalledHost installed(host);
    EXPECT_TRUE(FileMaskMatch("*.msg,golded.*", "C:\\Fido\\golded.txt"));
    EXPECT_FALSE(FileMaskMatch("*.msg, golded.*", "C:\\Fido\\golded.txt"));
    ASSERT_EQ(host.comparisons.size(), 4u);
    for (const auto& comparison : host.comparisons) EXPECT_EQ(comparison.skipPath, 1);
    EXPECT_FALSE(FileMaskMatch("", "reply.msg"));
    EXPECT_EQ(host.comparisons.size(), 4u);  // an empty mask asks nothing
}

}  // namespace
}  // namespace marten::ansi
