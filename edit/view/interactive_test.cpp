// The editor on the in-memory screen: its files, questions, dialogs, help
// and the plug-in's menus and settings, each checked by what the screen
// shows between the keys and by the bytes saved.
#include "edit/view/interactive.hpp"

#include <sys/stat.h>

#include "edit/view/editor_on_grid_test.hpp"

namespace edit {
namespace {

using EditorScreenTest = EditorOnGrid;

TEST_F(EditorScreenTest, WriteAReplyConfigureTheMarginAndSave) {
    const std::string file = Write("reply.msg", " AB> alpha beta gamma\r\n\r\nend");
    Sees("Line 1/3");
    Sees("1Help");
    // Type at the end of the quoted line, then break it inside the quote.
    Keys("{End}");
    Type(" delta");
    Sees("gamma delta");
    Keys("{Home}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}");
    Sees("Col 12");
    Keys("{Enter}");
    Sees("AB> beta gamma delta");
    Sees("Line 2/4");
    // F11: the plug-in menu, Marten's menu, the settings dialog.
    Keys("{F11}");
    Sees("Plugin commands");
    Keys("{Enter}");
    Sees("About Marten");
    Keys("{Enter}");
    Sees("Right margin");
    Sees("{ OK }");
    // From OK: Cancel, the four checkboxes, the left indent, the right margin.
    Keys("{Tab}{Tab}{Tab}{Tab}{Tab}{Tab}{Tab}{Ctrl+y}20");
    Sees("20 ↓Right margin");
    Keys("{Enter}");
    Sees("About Marten");  // the menu again
    Keys("{Esc}");
    // Typing past the new margin wraps the quoted line.
    Keys("{End}");
    Type(" epsilon zeta");
    Sees("zeta");
    Gone("AB> beta gamma delta epsilon");
    Keys("{F2}");
    Sees("Saved");
    Keys("{Esc}");
    EXPECT_EQ(Run({file}), 0);

    std::string bytes = Read(file);
    EXPECT_EQ(bytes.rfind(" AB> alpha \r\nAB> beta", 0), 0u) << bytes;
    EXPECT_EQ(bytes.substr(bytes.size() - 7), "\r\n\r\nend") << bytes;
    EXPECT_NE(bytes.find("zeta"), std::string::npos);
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_LE(end - start, 22u) << bytes.substr(start, end - start);
    }
    std::string registry = Read(Path("registry.reg"));
    EXPECT_NE(registry.find("\"RIndent\"=dword:00000014"), std::string::npos) << registry;
    // The margin typed is remembered in the field's history.
    EXPECT_EQ(Read(Path("config/marten/history/Tansy%5CMarten%5CRIndent")).rfind("20\n", 0), 0u);
}

TEST_F(EditorScreenTest, DialogCheckboxesAndFieldHistory) {
    const std::string file = Write("reply.msg", "text\r\n");
    // First showing: a margin of 33 confirmed, which goes into the history.
    Keys("{F11}{Enter}{Enter}");
    Sees("Right margin");
    Keys("{Tab}{Tab}{Tab}{Tab}{Tab}{Tab}{Tab}{Ctrl+y}33{Enter}");
    Gone("Right margin");
    // Second: tick off the letter fix (the fourth checkbox), type 44 as the
    // margin, then take 33 back from the history.
    Keys("{Enter}");
    Sees("Right margin");
    Keys("{Tab}{Tab}{Tab}{Tab}{Tab} ");
    Sees("[ ] Fix Cyrillic");
    Keys("{Tab}{Tab}{Ctrl+y}44");
    Sees("44 ↓Right margin");
    Keys("{Ctrl+Down}");
    Sees("History");
    Keys("{Enter}");
    Sees("33 ↓Right margin");
    Keys("{Enter}");
    Gone("Right margin");
    Keys("{Esc}");
    Gone("About Marten");
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
    std::string registry = Read(Path("registry.reg"));
    EXPECT_NE(registry.find("\"RIndent\"=dword:00000021"), std::string::npos) << registry;
    EXPECT_NE(registry.find("\"EnableHPChange\"=hex:00"), std::string::npos) << registry;
    EXPECT_NE(registry.find("\"EnableQuote\"=hex:01"), std::string::npos) << registry;
}

// Leaving asks about unsaved changes; a save that fails keeps the text and
// says why; a read-only file is saved only when the user says so (root is
// asked too, as in the file manager's editor).
TEST_F(EditorScreenTest, LeavingWithUnsavedChangesAsks) {
    const std::string file = Write("reply.msg", "keep\r\n");
    Type("x");
    Sees("xkeep");
    Keys("{F10}");
    Sees("has been modified");
    Keys("{Esc}");  // go on editing
    Gone("has been modified");
    Keys("{Esc}");
    Sees("has been modified");
    Type("d");  // don't save
    EXPECT_EQ(Run({file}), 3);
    EXPECT_EQ(Read(file), "keep\r\n");
}

TEST_F(EditorScreenTest, AFailedSaveKeepsTheTextAndSaysWhy) {
    const std::string file = Path("gone/reply.msg");
    Type("text");
    Keys("{F2}");
    Sees("cannot write " + file);
    Sees("The file was not saved");
    Keys("{Enter}");
    Gone("The file was not saved");
    Sees("text");
    Sees("*  866");  // still modified
    // Once the folder exists, the same text saves.
    grid_.Then([&] { std::filesystem::create_directories(Path("gone")); });
    Keys("{F2}");
    Sees("Saved");
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
    EXPECT_EQ(Read(file), "text");
}

TEST_F(EditorScreenTest, AReadOnlyFileIsSavedOnlyWhenTheUserSaysSo) {
    const std::string file = Write("reply.msg", "text\r\n");
    ::chmod(file.c_str(), 0444);
    Type("new ");
    Keys("{F2}");
    Sees("The file is read-only.");
    Sees("Do you want to save it anyway?");
    Type("c");
    Gone("The file is read-only.");
    grid_.Then([&] { EXPECT_EQ(Read(file), "text\r\n"); });
    Keys("{F2}");
    Sees("The file is read-only.");
    Type("s");
    Sees("Saved");
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
    EXPECT_EQ(Read(file), "new text\r\n");
    struct stat st;
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
}

// An end forced from outside keeps the unsaved text beside the file.
TEST_F(EditorScreenTest, AnEndedSessionKeepsTheUnsavedText) {
    const std::string file = Write("reply.msg", "keep\r\n");
    Type("new ");
    Sees("new keep");
    std::string error;
    auto options = ParseCommandLine({file}, &error);
    ASSERT_TRUE(options) << error;
    Session session;
    ASSERT_TRUE(session.Open(*options, MARTEN_PLUGIN_DIR, &error)) << error;
    screen::UseScreen use(grid_);
    const EditorOutcome outcome = RunEditor(session, "UTF-8");  // the script ends as a hang-up does
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.rescuedTo, file + ".unsaved");
    EXPECT_EQ(Read(file), "keep\r\n");
    EXPECT_EQ(Read(file + ".unsaved"), "new keep\r\n");
}

// UTF-8 text without the byte-order mark opens as UTF-8 with no box, and is
// saved with no mark added.
TEST_F(EditorScreenTest, AUtf8FileWithoutTheMarkOpensAsUtf8) {
    plugins_ = MARTEN_UNICODE_PLUGIN_DIR;
    const std::string file =
        Write("notes.txt", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n");
    Sees("UTF-8  Line 1/2");
    Sees("Привет");
    Keys("{End}");
    Type(" мир");
    Sees("Привет мир");
    SaveAndQuit({file}, file, "Привет мир\n");
}

// Valid UTF-8 that is mostly far from mail's characters is read in 8 bits;
// the status line says so until the first key, and Shift+F8 reads it as UTF-8.
TEST_F(EditorScreenTest, ValidUtf8ReadInAnEightBitTableIsToldOnTheStatusLine) {
    plugins_ = MARTEN_UNICODE_PLUGIN_DIR;
    const std::string text = "\xE4\xB8\xAD\xE6\x96\x87\n";  // 中文
    const std::string file = Write("notes.txt", text);
    Sees("Valid UTF-8, read in 866: F8/Shift+F8 switch the table     866  Line 1/2");
    Keys("{Shift+F8}");
    Gone("Valid UTF-8, read in 866");
    Sees("Character table");
    Keys("{Down}{Down}{Down}{Enter}");  // UTF-8, the last of the list
    Sees("中文");
    Sees("UTF-8  Line 1/2");
    SaveAndQuit({file}, file, text);
}

// A reply that a mail reader keeps in KOI8-R, opened in the default table:
// Shift+F8 picks KOI8-R from the list, typed Cyrillic is stored in KOI8-R,
// and the plug-in fixes the three letters.
TEST_F(EditorScreenTest, AKoi8rReplyChosenFromTheTableList) {
    const std::string file =
        Write("golded.msg", " AB> \xF0\xD2\xC9\xD7\xC5\xD4\n\n");  // Привет in KOI8-R
    Sees("Line 2/3");
    Sees("81251");  // the key bar names the table F8 gives
    Keys("{Shift+F8}");
    Sees("Character table");
    Sees("√ OEM 866 (DOS)");
    Type("k");
    Gone("Character table");
    Sees("KOI8-R  Line 2/3");
    Sees(" AB> Привет");
    Type("Нерпа Ромео");
    Sees("Hеpпа Pомео");
    // The list marks the table in use; F8 still switches OEM and ANSI.
    Keys("{Shift+F8}");
    Sees("√ KOI8-R");
    Keys("{Esc}");
    Gone("Character table");
    Keys("{F2}");
    Sees("Saved");
    Keys("{F8}");
    Sees("   866  Line 2/3");
    Keys("{F10}");
    EXPECT_EQ(Run({"+2", file}), 0);
    EXPECT_EQ(Read(file), " AB> \xF0\xD2\xC9\xD7\xC5\xD4\nH\xC5p\xD0\xC1 P\xCF\xCD\xC5\xCF\n");
}

// ---- The editor's dialogs: search, replace, go to, save as, help ----------

class EditorDialogTest : public EditorOnGrid {
protected:
    // Opens an editor's dialog with `key`, waits for `prompt`, puts `text` in
    // the focused field in place of what it held, and confirms with Enter.
    void Answer(const std::string& key, const std::string& prompt, const std::string& text) {
        Keys(key);
        Sees(prompt);
        Keys("{Ctrl+y}");
        Type(text);
        Keys("{Enter}");
    }
};

TEST_F(EditorDialogTest, SearchFindsForwardAndBackAndSaysWhatItCannotFind) {
    const std::string file = Write("notes.txt", "a cat\r\nCat two\r\nconcat\r\n");
    Sees(At(1, 4, 4));
    Answer("{F7}", "Reverse search", "cat");
    Sees(At(2, 4, 1));  // from the cursor on, case ignored
    Keys("{Shift+F7}");
    Sees(At(3, 4, 4));
    Keys("{Alt+F7}");  // the other way
    Sees(At(2, 4, 1));
    Keys("{Shift+F7}{Shift+F7}");
    Sees("Could not find the string");
    Sees("\"cat\"");
    Keys("{Enter}");
    Gone("Could not find");

    // Whole words and case: only the second line's "Cat".
    Keys("{Ctrl+Home}{F7}");
    Sees("║ cat ");  // the field starts with the last text
    Keys("{Ctrl+y}");
    Type("Cat");
    Keys("{Alt+c}{Alt+w}");
    Sees("[x] Whole words");
    Sees("[x] Case sensitive");
    Keys("{Enter}");
    Sees(At(2, 4, 1));

    // A text that the file's table cannot hold is named, not looked for.
    Answer("{F7}", "Reverse search", "╔═");
    Sees("The 1251 table has no place for \"╔═\",");
    Sees("so the text to find cannot be in this file.");
    Keys("{Enter}");
    Gone("no place for");
    // The field remembers what was looked for, newest first.
    Keys("{F10}");
    EXPECT_EQ(Run({"--codepage", "1251", "--at", "1:4", file}), 0);
    EXPECT_EQ(Read(Path("config/marten/history/marten-edit%5CSearchText")), "╔═\nCat\ncat\n");
}

TEST_F(EditorDialogTest, ReplaceAsksAboutEachMatchAndOneUndoTakesBackAll) {
    std::string text = "cat one\r\n";
    for (int i = 2; i <= 13; ++i) text += "line " + std::to_string(i) + "\r\n";
    text += "cat two\r\ncat three\r\nlast cat\r\n";  // lines 14 to 16
    const std::string file = Write("notes.txt", text);
    Keys("{Ctrl+F7}");
    Sees("Replace with");
    Type("cat");
    Keys("{Tab}");
    Type("dog");
    Keys("{Enter}");
    Sees("\"dog\"");
    Sees(At(1, 17, 1));
    Type("r");  // Replace
    Sees(At(14, 17, 1));
    // The box leaves the match in sight: line 14 stands in the middle of
    // the screen, where a centred box would be.
    Sees("\ncat two\ncat three\nlast cat ");
    Type("s");  // Skip
    Sees(At(15, 17, 1));
    Type("a");                       // All: this one and the rest
    Sees("3 occurrences replaced");  // with the first one
    Keys("{Enter}");
    Gone("occurrences replaced");
    Sees("last dog");
    // One undo takes back everything All replaced, and only that.
    Keys("{Ctrl+z}");
    Sees("last cat");
    Sees("\ncat three\n");
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({file}), 0);
    std::string undone = text;
    undone.replace(0, 3, "dog");
    EXPECT_EQ(Read(file), undone);
}

TEST_F(EditorDialogTest, GoToALineOrALineAndColumn) {
    const std::string file = Write("notes.txt", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n");
    const struct {
        const char* typed;
        std::string at;
    } cases[] = {
        {"7:3", At(7, 11, 3)},
        {"2,4", At(2, 11, 4)},
        {" 5 ", At(5, 11, 1)},
        {"99", At(11, 11, 1)},  // past the end: the last line
    };
    for (const auto& c : cases) {
        Answer("{Alt+F8}", "Line or line:column", c.typed);
        Sees(c.at);
    }
    Answer("{Alt+F8}", "Line or line:column", "3:x");
    Sees("\"3:x\" is not a position.");
    Sees("Type a line number, or line:column (from 1).");
    Keys("{Enter}");
    Gone("is not a position");
    Sees(At(11, 11, 1));
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
}

TEST_F(EditorDialogTest, SaveUnderAnotherNameGoesOnWithTheNewFile) {
    const std::string file = Write("reply.msg", "old\r\n");
    const std::string other = Write("other.txt", "keep\r\n");
    const std::string notes = Path("заметки.txt");
    Type("Нр ");  // in a .msg file the plug-in makes it Hp
    Sees("Hp old");
    Keys("{Shift+F2}");
    Sees(file + " ");  // the current name to start from
    Keys("{Esc}");
    Gone("Name of the file");
    Answer("{Shift+F2}", "Name of the file", notes);
    Sees(" " + notes + " ");
    Sees("Saved");
    grid_.Then([&] {
        EXPECT_EQ(Read(notes), "Hp old\r\n");
        EXPECT_EQ(Read(file), "old\r\n");
    });
    // The plug-in sees the new name, which its masks do not take.
    Type("Нр ");
    Sees("Hp Нр old");
    // An existing file is replaced only when the user says so.
    Answer("{Shift+F2}", "Name of the file", other);
    Sees("already exists. Do you want to replace it?");
    Type("c");
    Gone("already exists");
    Sees(" " + notes + " ");
    Keys("{F2}{F10}");
    EXPECT_EQ(Run({file}), 0);
    EXPECT_EQ(Read(other), "keep\r\n");
    EXPECT_EQ(Read(notes), "Hp \x8D\xE0 old\r\n");
    EXPECT_EQ(Read(file), "old\r\n");
    // Both names given are in the field's history, newest first.
    EXPECT_EQ(Read(Path("config/marten/history/marten-edit%5CSaveAs")),
              other + "\n" + notes + "\n");
}

TEST_F(EditorDialogTest, TheEditorsHelpLeadsIntoThePluginsHelp) {
    const std::string file = Write("reply.msg", "text\r\n");
    Keys("{F1}");
    Sees("═ marten-edit ═");
    Sees("Moving the cursor");
    // The last link of the contents is the plug-in's help.
    Keys("{Shift+Tab}{Enter}");
    Sees("file masks");
    Sees("═ Marten ═");
    Keys("{BS}");
    Sees("Moving the cursor");
    Keys("{Esc}");
    Gone("Moving the cursor");
    // F1 in a dialog of the editor shows that dialog's topic.
    Keys("{Ctrl+F7}");
    Sees("Replace with");
    Keys("{F1}");
    Sees("Ctrl+F7 asks for the text to find");
    Keys("{Esc}");
    Gone("Ctrl+F7 asks");
    Keys("{Esc}");
    Gone("Replace with");
    // F1 in the plug-in's dialog shows the plug-in's help, as before.
    Keys("{F11}{Enter}{Enter}");
    Sees("Right margin");
    Keys("{F1}");
    Sees("Marten settings");
    Sees("Enter inside a quoted line repeats its prefix");
    Keys("{Esc}");
    Gone("Marten settings");
    // The configuration list (Alt+Shift+F9) leads to the About box, whose
    // title names the version.
    Keys("{Esc}{Esc}{Alt+Shift+F9}");
    Sees("Plugins configuration");
    Keys("{Enter}");
    Sees("About Marten");
    Keys("{Down}{Enter}");
    Sees("FidoNet");
    Sees("About Marten " MARTEN_VERSION);
    Keys("{Enter}{Esc}");
    Sees("1Help");
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
}

}  // namespace
}  // namespace edit
