// The editor as a plug-in of the Unicode interface sees it, through the
// probe: UTF-16 lines over the file's own bytes, the commands, keys fed
// back, and the undo brackets.
#include <string>

#include "host/unicode/unicode_editor.hpp"
#include "tests/host/unicode_probe_fixture.hpp"

namespace host_test {
namespace {

using engine::CodePage;

std::intptr_t Control(UnicodeProbeState& s, unicode_api::EDITOR_CONTROL_COMMANDS command,
                      void* param, std::intptr_t param1 = 0) {
    return s.info.EditorControl(unicode_api::CURRENT_EDITOR, command, param1, param);
}

std::u16string GetLine(UnicodeProbeState& s, std::intptr_t n,
                       const unicode_api::WChar** eol = nullptr) {
    unicode_api::EditorGetString get{};
    get.StructSize = sizeof get;
    get.StringNumber = n;
    if (Control(s, unicode_api::ECTL_GETSTRING, &get) == 0) return u"(none)";
    if (eol != nullptr) *eol = get.StringEOL;
    return std::u16string(get.StringText, static_cast<std::size_t>(get.StringLength));
}

std::intptr_t SetLine(UnicodeProbeState& s, std::intptr_t n, std::u16string_view text,
                      const unicode_api::WChar* eol = nullptr) {
    unicode_api::EditorSetString set{sizeof set, n, static_cast<std::intptr_t>(text.size()),
                                     text.data(), eol};
    return Control(s, unicode_api::ECTL_SETSTRING, &set);
}

std::intptr_t Bracket(UnicodeProbeState& s, unicode_api::EDITOR_UNDOREDO_COMMANDS command) {
    unicode_api::EditorUndoRedo undo{sizeof undo, command};
    return Control(s, unicode_api::ECTL_UNDOREDO, &undo);
}

std::intptr_t Feed(UnicodeProbeState& s, INPUT_RECORD record) {
    return Control(s, unicode_api::ECTL_PROCESSINPUT, &record);
}

using UnicodeEditing = UnicodeProbeFolder;

TEST_F(UnicodeEditing, LinesAreUtf16OverTheFilesOwnBytes) {
    LoadProbe();
    UnicodeProbeState& s = *Probe();
    // « » and Cyrillic in 1251, and its undefined byte 0x98.
    Edit("\xC0\xC1> \xAB\xF6\xE8\xF2\xE0\xF2\xE0\xBB\x98\r\nlast", CodePage::Ansi1251);
    Unicode().EditorEvent(
        unicode_api::EE_REDRAW);  // a call into the plug-in, so the texts are handed out within one
    const unicode_api::WChar* eol = nullptr;
    EXPECT_EQ(GetLine(s, 0, &eol), u"АБ> «цитата»\u0098");
    EXPECT_EQ(std::u16string(eol), u"\r\n");
    EXPECT_EQ(GetLine(s, 1, &eol), u"last");
    EXPECT_EQ(std::u16string(eol), u"");
    EXPECT_EQ(GetLine(s, 2), u"(none)");

    // A line read and written back leaves every byte as it was.
    EXPECT_EQ(SetLine(s, 0, GetLine(s, 0)), 1);
    EXPECT_EQ(editor_->LineAt(0).text, "\xC0\xC1> \xAB\xF6\xE8\xF2\xE0\xF2\xE0\xBB\x98");
    // A character the file's code page lacks is refused, the line unchanged.
    EXPECT_EQ(SetLine(s, 1, u"ok ☺"), 0);
    EXPECT_EQ(editor_->LineAt(1).text, "last");
    EXPECT_EQ(SetLine(s, 1, u"Нр"), 1);
    EXPECT_EQ(editor_->LineAt(1).text, "\xCD\xF0");

    // The same letters in 866 and KOI8-R are their bytes there.
    Edit("x\n", CodePage::Oem866);
    EXPECT_EQ(SetLine(s, 0, u"Нр"), 1);
    EXPECT_EQ(editor_->LineAt(0).text, "\x8D\xE0");
    Edit("x\n", CodePage::Koi8r);
    EXPECT_EQ(SetLine(s, 0, u"Нр"), 1);
    EXPECT_EQ(editor_->LineAt(0).text, "\xEE\xD2");
}

TEST_F(UnicodeEditing, ALineGotStaysValidThroughTheCallEvenPastAChange) {
    LoadProbe([](UnicodeProbeState& s) {
        s.onInput = [](UnicodeProbeState& st, const INPUT_RECORD&) -> std::intptr_t {
            unicode_api::EditorGetString get{};
            get.StructSize = sizeof get;
            get.StringNumber = 0;
            Control(st, unicode_api::ECTL_GETSTRING, &get);
            SetLine(st, 0, u"changed");
            SetLine(st, 1, u"x");
            // Read after the change: the old text, whole (AddressSanitizer
            // would catch a freed buffer), and a new get sees the new text.
            st.scratch[0] = std::u16string(get.StringText, 3) == u"old";
            st.scratch[1] = GetLine(st, 0) == u"changed";
            return 1;
        };
    });
    Edit("old\r\ntwo\r\n");
    EXPECT_EQ(host_->DispatchUnicode(Key(u'a')), 1);
    EXPECT_EQ(Probe()->scratch[0], 1);
    EXPECT_EQ(Probe()->scratch[1], 1);
}

TEST_F(UnicodeEditing, EndOfLineOfASetLine) {
    LoadProbe();
    UnicodeProbeState& s = *Probe();
    struct Case {
        const char* file;
        int line;
        const unicode_api::WChar* eol;
        const char* saved;
    };
    const Case cases[] = {
        // The last line without one takes the document's own for none given...
        {"a\nb", 1, nullptr, "a\nB\n"},
        {"a\r\nb", 1, nullptr, "a\r\nB\r\n"},
        {"b", 0, nullptr, "B\r\n"},
        // ...stays without one for an empty one, and takes one given.
        {"a\nb", 1, u"", "a\nB"},
        {"a\nb", 1, u"\r", "a\nB\r"},
        // Any other line keeps its own whatever is given.
        {"a\r\nb", 0, u"\n", "B\r\nb"},
        {"a\r\nb", 0, u"", "B\r\nb"},
    };
    for (const Case& c : cases) {
        Edit(c.file);
        EXPECT_EQ(SetLine(s, c.line, u"B", c.eol), 1) << c.file;
        EXPECT_EQ(editor_->Bytes(), c.saved) << c.file << " line " << c.line;
    }
    Edit("a");
    EXPECT_EQ(SetLine(s, 0, u"B", u"\n\r"), 0);  // no end-of-line this editor knows
    EXPECT_EQ(editor_->Bytes(), "a");
}

TEST_F(UnicodeEditing, InsertStringIndentsOnlyWhereTheEditorsAutoIndentIsOn) {
    LoadProbe();
    UnicodeProbeState& s = *Probe();
    for (const bool autoIndent : {false, true}) {
        engine::EditorOptions options;
        options.autoIndent = autoIndent;
        host_->SetEditor(nullptr);
        editor_ = std::make_unique<engine::Editor>("/tmp/a.txt", "    indented text\r\n",
                                                   CodePage::Oem866, options);
        editor_->SetCursor(0, 9);
        host_->SetEditor(editor_.get());
        int indent = 1;
        EXPECT_EQ(Control(s, unicode_api::ECTL_INSERTSTRING, &indent), 1);
        EXPECT_EQ(Lines(), autoIndent ? "    inden|    ted text|" : "    inden|ted text|");
        EXPECT_EQ(editor_->CurPos(), autoIndent ? 4 : 0);
    }
}

TEST_F(UnicodeEditing, InfoCommandsAndTheirRefusals) {
    LoadProbe();
    UnicodeProbeState& s = *Probe();
    host_->SetEditor(nullptr);
    editor_ = std::make_unique<engine::Editor>("/tmp/ответ.msg", "one\r\ntwo", CodePage::Ansi1251);
    editor_->SetCursor(1, 2);
    host_->SetEditor(editor_.get());

    unicode_api::EditorInfo info{};
    info.StructSize = sizeof info;
    ASSERT_EQ(Control(s, unicode_api::ECTL_GETINFO, &info), 1);
    EXPECT_EQ(info.EditorID, host::UnicodeEditor::kId);
    EXPECT_EQ(info.TotalLines, 2);
    EXPECT_EQ(info.CurLine, 1);
    EXPECT_EQ(info.CurPos, 2);
    EXPECT_EQ(info.CodePage, 1251u);
    EXPECT_EQ(info.Options & unicode_api::EOPT_CURSORBEYONDEOL, unicode_api::EOPT_CURSORBEYONDEOL);
    EXPECT_EQ(info.CurState, 0u);
    // A record too short for the code page, another editor's id.
    info.StructSize = offsetof(unicode_api::EditorInfo, CodePage);
    EXPECT_EQ(Control(s, unicode_api::ECTL_GETINFO, &info), 0);
    info.StructSize = sizeof info;
    EXPECT_EQ(s.info.EditorControl(7, unicode_api::ECTL_GETINFO, 0, &info), 0);

    // The file name: the size needed, then the name when it fits.
    EXPECT_EQ(Control(s, unicode_api::ECTL_GETFILENAME, nullptr), 15);
    unicode_api::WChar name[15] = {};
    EXPECT_EQ(Control(s, unicode_api::ECTL_GETFILENAME, name, 14), 15);
    EXPECT_EQ(name[0], 0);
    EXPECT_EQ(Control(s, unicode_api::ECTL_GETFILENAME, name, 15), 15);
    EXPECT_EQ(std::u16string(name), u"/tmp/ответ.msg");

    // Moving the cursor; a negative field leaves its value.
    unicode_api::EditorSetPosition position{sizeof position, 0, 3, -1, -1, -1, -5};
    EXPECT_EQ(Control(s, unicode_api::ECTL_SETPOSITION, &position), 1);
    EXPECT_EQ(editor_->CurLine(), 0);
    EXPECT_EQ(editor_->CurPos(), 3);
    position.StructSize = 8;
    EXPECT_EQ(Control(s, unicode_api::ECTL_SETPOSITION, &position), 0);

    // Text typed in through the editor, Cyrillic included; refused when the
    // file cannot hold it or when there is none.
    EXPECT_EQ(Control(s, unicode_api::ECTL_INSERTTEXT, const_cast<char16_t*>(u" Нр")), 1);
    EXPECT_EQ(editor_->LineAt(0).text, "one \xCD\xF0");
    EXPECT_EQ(Control(s, unicode_api::ECTL_INSERTTEXT, const_cast<char16_t*>(u"☺")), 0);
    EXPECT_EQ(Control(s, unicode_api::ECTL_INSERTTEXT, nullptr), 0);
    EXPECT_EQ(Control(s, unicode_api::ECTL_SUBSCRIBECHANGEEVENT, nullptr), 0);
}

TEST_F(UnicodeEditing, TypedCharactersReachThePluginAsUnicode) {
    LoadProbe();
    UnicodeProbeState& s = *Probe();
    Edit("\r\n", CodePage::Ansi1251);
    // The terminal's form: the OEM byte of Н and the byte of the file's table.
    INPUT_RECORD typed = Key(0);
    typed.Event.KeyEvent.uChar.AsciiChar = static_cast<CHAR>(0x8D);
    EXPECT_EQ(host_->Dispatch(typed, static_cast<unsigned char>(0xCD)), 0);
    EXPECT_EQ(s.lastRecord.Event.KeyEvent.uChar.UnicodeChar, u'Н');
    // « has no OEM byte: the terminal passes only the table's.
    typed.Event.KeyEvent.uChar.AsciiChar = 0;
    host_->Dispatch(typed, static_cast<unsigned char>(0xAB));
    EXPECT_EQ(s.lastRecord.Event.KeyEvent.uChar.UnicodeChar, u'«');
    // A Unicode record: typed in the file's table; one it cannot hold is
    // offered to the plug-in but not typed.
    host_->DispatchUnicode(Key(u'р'));
    host_->DispatchUnicode(Key(u'☺'));
    EXPECT_EQ(s.lastRecord.Event.KeyEvent.uChar.UnicodeChar, u'☺');
    EXPECT_EQ(s.inputCalls, 4);
    EXPECT_EQ(editor_->LineAt(0).text, "\xCD\xAB\xF0");
}

TEST_F(UnicodeEditing, AFedBackKeyGoesToThePluginFirstNested) {
    LoadProbe([](UnicodeProbeState& s) {
        s.onInput = [](UnicodeProbeState& st, const INPUT_RECORD& record) -> std::intptr_t {
            if (record.Event.KeyEvent.uChar.UnicodeChar != u'`') return 0;
            st.scratch[0] = Feed(st, Key(u'Z'));
            st.scratch[1] = st.inputCalls;  // the nested call came before this line
            return 1;
        };
    });
    Edit("ab", CodePage::Oem866, 0, 2);
    EXPECT_EQ(host_->DispatchUnicode(Key(u'`')), 1);
    EXPECT_EQ(Lines(), "abZ");
    EXPECT_EQ(Probe()->scratch[0], 1);
    EXPECT_EQ(Probe()->scratch[1], 2);
    EXPECT_EQ(Probe()->lastRecord.Event.KeyEvent.uChar.UnicodeChar, u'Z');
}

TEST_F(UnicodeEditing, ABracketWithAFedBackKeyIsOneUndoStep) {
    LoadProbe([](UnicodeProbeState& s) {
        s.onInput = [](UnicodeProbeState& st, const INPUT_RECORD& record) -> std::intptr_t {
            if (record.Event.KeyEvent.wVirtualKeyCode != 0x0D || st.scratch[0]++ > 0) return 0;
            Bracket(st, unicode_api::EUR_BEGIN);
            SetLine(st, 0, u" AB> one");
            SetLine(st, 1, u" AB> two");
            Feed(st, Key(u'\r', 0x0D));
            Bracket(st, unicode_api::EUR_END);
            return 1;
        };
    });
    Edit("one\r\ntwo\r\n", CodePage::Oem866, 1, 3);
    host_->DispatchUnicode(Key(u'\r', 0x0D));
    EXPECT_EQ(Lines(), " AB> one| AB|> two|");
    ASSERT_TRUE(editor_->Undo());
    EXPECT_EQ(Lines(), "one|two|");
    EXPECT_EQ(editor_->CurLine(), 1);
    EXPECT_EQ(editor_->CurPos(), 3);
    EXPECT_FALSE(editor_->Undo());
    EXPECT_EQ(Lines(), "one|two|");
}

TEST_F(UnicodeEditing, WithoutABracketThePluginAndTheEditorAreStepsOfTheirOwn) {
    LoadProbe([](UnicodeProbeState& s) {
        s.onInput = [](UnicodeProbeState& st, const INPUT_RECORD&) -> std::intptr_t {
            SetLine(st, 0, u"plugin");
            if (st.scratch[0] == 1) Bracket(st, unicode_api::EUR_BEGIN);  // never closed
            return 0;
        };
    });
    Edit("text", CodePage::Oem866, 0, 6);
    host_->DispatchUnicode(Key(u'!'));
    EXPECT_EQ(Lines(), "plugin!");
    ASSERT_TRUE(editor_->Undo());
    EXPECT_EQ(Lines(), "plugin");
    ASSERT_TRUE(editor_->Undo());
    EXPECT_EQ(Lines(), "text");

    // A bracket left open ends with the call: the editor's key is outside it.
    Probe()->scratch[0] = 1;
    host_->DispatchUnicode(Key(u'?'));
    EXPECT_EQ(Unicode().Editor()->OpenBrackets(), 0u);
    EXPECT_EQ(Lines(), "plugin?");
    ASSERT_TRUE(editor_->Undo());
    EXPECT_EQ(Lines(), "plugin");
    // An end without a begin is refused.
    EXPECT_EQ(Bracket(*Probe(), unicode_api::EUR_END), 0);
    EXPECT_EQ(Bracket(*Probe(), unicode_api::EUR_UNDO), 1);
    EXPECT_EQ(Lines(), "text");
}

}  // namespace
}  // namespace host_test
