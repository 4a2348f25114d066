// The Unicode build of Marten in the editor on the in-memory screen: a reply
// in 866 quoted by two authors is edited with the same keys, and must come
// out the same, as with the 1.x build.
#include "edit/view/editor_on_grid_test.hpp"

namespace edit {
namespace {

class BothBuilds : public EditorOnGrid, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        EditorOnGrid::SetUp();
        plugins_ = GetParam();
    }
};

// Cyrillic in 866, as a mail reader writes it.
std::string Oem(std::string_view utf8) { return engine::FromUtf8(engine::CodePage::Oem866, utf8); }

TEST_P(BothBuilds, ACyrillicReplyQuotedByTwoAuthors) {
    // As long as the right margin (78) lets a line be: one more letter wraps it.
    const std::string quoted =
        " AB> раз два три четыре пять шесть семь восемь девять десять одиннадцать сто ли";
    const std::string text = Oem(quoted + "\r\n AB> конец\r\n MK>> один два\r\n MK>> три\r\n");
    ASSERT_EQ(Oem(quoted).size(), 79u);
    const std::string file = Write("reply.msg", text);
    // A wrap carries the prefix, and one undo takes it back, cursor included.
    Type("с");
    Sees(" сто\n AB> лис\n AB> конец\n");
    Sees("*  866  " + At(2, 6, 9));
    Keys("{Ctrl+z}");
    Sees(quoted + "\n AB> конец\n");
    Sees("   866  " + At(1, 5, 80));
    // Enter inside the second author's quote carries his prefix.
    Keys(
        "{Down}{Down}{Home}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{Right}{"
        "Right}");
    Sees(At(3, 5, 12));
    Keys("{Enter}");
    Sees(" MK>> один\nMK>> два\n MK>> три\n");
    // Del at the end of a quoted line joins the next without its prefix.
    Keys("{End}");
    Type(" ");
    Keys("{Del}");
    Sees("MK>> два три\n");
    Sees(At(4, 5, 10));
    // Н, р and Р typed in Russian words become H, p and P.
    Keys("{End}");
    Type(" Нерпа Ромео");
    Sees("MK>> два три Hеpпа Pомео\n");
    SaveAndQuit({"--at", "1:80", file}, file,
                Oem(quoted + "\r\n AB> конец\r\n MK>> один \r\nMK>> два три Hеpпа Pомео\r\n"));
}

// F11 and Alt+Shift+F9 offer either build's entries and open its settings.
TEST_P(BothBuilds, ThePluginMenusReachTheSettings) {
    const std::string file = Write("reply.msg", " AB> text\r\n");
    Keys("{F11}");
    Sees("Plugin commands");
    Keys("{Enter}");
    Sees("About Marten");
    Keys("{Esc}{Alt+Shift+F9}");
    Sees("Plugins configuration");
    Keys("{Enter}");
    Sees("About Marten");
    Keys("{Enter}");
    Sees("Right margin");
    Keys("{Esc}{Esc}{F10}");
    EXPECT_EQ(Run({file}), 0);
}

// Esc at the end of an overlong line: the plug-in wraps the line on it (the
// Unicode build feeds the key back and consumes it), and the editor then
// asks about the wrapped text before it leaves.
TEST_P(BothBuilds, EscAfterAWrapAsksAboutTheWrappedText) {
    const std::string line = " AB> " + std::string(40, 'a') + " " + std::string(40, 'b');
    const std::string file = Write("reply.msg", line + "\r\n");
    Keys("{Esc}");
    Sees("has been modified. Save it?");
    Keys("{Enter}");  // Save
    EXPECT_EQ(Run({"--at", "1:87", file}), 0);
    EXPECT_EQ(Read(file),
              " AB> " + std::string(40, 'a') + "\r\n AB> " + std::string(40, 'b') + "\r\n");
}

INSTANTIATE_TEST_SUITE_P(Marten, BothBuilds,
                         ::testing::Values(MARTEN_PLUGIN_DIR, MARTEN_UNICODE_PLUGIN_DIR));

// Ctrl+Z at the end of an overlong line with the Unicode build: the build
// wraps on the key, feeds it back and closes its undo bracket; the undo then
// takes back that step alone, and the typing before it stays.
TEST_F(EditorOnGrid, UndoAfterTheUnicodeBuildsWrapTakesBackTheWrapAlone) {
    plugins_ = MARTEN_UNICODE_PLUGIN_DIR;
    const std::string line = " AB> " + std::string(40, 'a') + " " + std::string(40, 'b');
    const std::string file = Write("reply.msg", line + "\r\nshort\r\n");
    Keys("{Down}{End}");
    Type("x");
    Keys("{Up}{End}{Ctrl+z}");
    Sees(line + "\nshortx\n");
    Sees("*  866  " + At(1, 3, 87));
    // Off the overlong line no wrap comes first: the typing goes back.
    Keys("{Down}{Ctrl+z}");
    Sees(line + "\nshort\n");
    Keys("{F10}");
    EXPECT_EQ(Run({file}), 0);
}

}  // namespace
}  // namespace edit
