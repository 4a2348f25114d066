// marten-edit's editing keys in a real terminal: undo and redo of what the
// plug-in did, blocks and the clipboard, the terminal's own paste,
// characters that the file's table lacks, and how a selection is drawn.
// Each test checks the bytes saved and the screen.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "tests/edit/terminal_session.hpp"

namespace edit_e2e {
namespace {

using TerminalEditing = Terminal;

// Cyrillic text written in UTF-8, in code page 866; ASCII stays as it is.
std::string Oem(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            continue;
        }
        char32_t cp = static_cast<char32_t>(((c & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F));
        if (cp >= 0x410 && cp <= 0x43F) {
            out.push_back(static_cast<char>(0x80 + (cp - 0x410)));  // А..я up to п
        } else if (cp >= 0x440 && cp <= 0x44F) {
            out.push_back(static_cast<char>(0xE0 + (cp - 0x440)));  // р..я
        } else if (cp == 0x401 || cp == 0x451) {
            out.push_back(cp == 0x401 ? '\xF0' : '\xF1');  // Ё, ё
        } else {
            ADD_FAILURE() << "no 866 byte for U+" << std::hex << static_cast<unsigned>(cp);
        }
    }
    return out;
}

// ---- Undo and redo of what the plug-in did ---------------------------------

TEST_F(TerminalEditing, OneUndoTakesBackAWrapCursorIncluded) {
    ScratchFolder scratch("undo-wrap");
    std::string file = scratch.Path("reply.msg");
    // As long as the right margin (78) lets a line be: one more character wraps it.
    const std::string quoted = " AB> one two three four five six seven eight nine ten eleven twelve thirteen fo";
    ASSERT_EQ(quoted.size(), 79u);
    const std::string text = quoted + "\r\n AB> end\r\n";
    WriteFile(file, text);
    TerminalSession term(scratch, {"--at", "1:80", file});
    ASSERT_TRUE(term.WaitFor(At(1, 3, 80)));

    term.Type("x");  // the plug-in moves "fox" to a new line with the prefix
    ASSERT_TRUE(term.WaitFor(At(2, 4, 9)));
    EXPECT_TRUE(term.WaitFor(" thirteen\n AB> fox\n AB> end\n"));
    EXPECT_TRUE(term.WaitFor("*  866"));

    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 80)));
    EXPECT_TRUE(term.WaitFor(quoted + "\n AB> end\n"));
    EXPECT_TRUE(term.WaitForGone("*  866"));  // back at the text as saved

    term.Keys("C-r");  // redo: the key and the wrap again
    ASSERT_TRUE(term.WaitFor(At(2, 4, 9)));
    EXPECT_TRUE(term.WaitFor(" thirteen\n AB> fox\n AB> end\n"));
    EXPECT_TRUE(term.WaitFor("*  866"));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    const std::string wrapped = quoted.substr(0, 76) + "\r\n AB> fox\r\n AB> end\r\n";
    EXPECT_EQ(ReadFile(file), wrapped);

    // Undo reaches back past the save, which the title line shows.
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 80)));
    EXPECT_TRUE(term.WaitFor("*  866"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), text);
}

// Enter inside the quote carries the prefix (inserted at the cursor, so
// the cursor starts the new line); Alt+BkSp takes both back at once.
TEST_F(TerminalEditing, AltBackspaceUndoesACarriedQuote) {
    const std::string text = " AB> alpha beta gamma\r\n MK>> one\r\n\r\n";
    auto [scratch, file] = ScratchFile("undo-quote", "reply.msg", text);
    TerminalSession term(scratch, {"--at", "1:12", file});
    ASSERT_TRUE(term.WaitFor(At(1, 4, 12)));

    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("\n AB> alpha\nAB> beta gamma\n MK>> one\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(2, 5, 1)));
    term.Keys("M-BSpace");
    ASSERT_TRUE(term.WaitFor("\n AB> alpha beta gamma\n MK>> one\n"));
    EXPECT_TRUE(term.WaitFor("   866  " + At(1, 4, 12)));
    term.Keys("M-S-BSpace");  // redo
    ASSERT_TRUE(term.WaitFor("\n AB> alpha\nAB> beta gamma\n MK>> one\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(2, 5, 1)));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    EXPECT_EQ(ReadFile(file), " AB> alpha \r\nAB> beta gamma\r\n MK>> one\r\n\r\n");

    term.Keys("M-BSpace");
    ASSERT_TRUE(term.WaitFor("\n AB> alpha beta gamma\n MK>> one\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(1, 4, 12)));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), text);
}

// A Cyrillic small ER typed in a .msg file becomes a Latin p; undo takes
// back the key, redo (Ctrl+R, Ctrl+Shift+Z through tmux's extended keys,
// Alt+Shift+BkSp) brings the Latin letter back.
TEST_F(TerminalEditing, UndoAndRedoAReplacedLetter) {
    const std::string text = " MK>> one\r\n\r\n";
    auto [scratch, file] = ScratchFile("undo-letter", "reply.msg", text);
    TerminalSession term(scratch, {"--at", "2:1", file});
    ASSERT_TRUE(term.WaitFor(At(2, 3, 1)));

    term.Type("р");
    ASSERT_TRUE(term.WaitFor(" MK>> one\np\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(2, 3, 2)));
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor(" MK>> one\n\n"));
    EXPECT_TRUE(term.WaitFor("   866  " + At(2, 3, 1)));
    term.Keys("C-r");
    ASSERT_TRUE(term.WaitFor(" MK>> one\np\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(2, 3, 2)));
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor(" MK>> one\n\n"));
    term.Keys("C-S-z");
    ASSERT_TRUE(term.WaitFor(" MK>> one\np\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(2, 3, 2)));
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor(" MK>> one\n\n"));
    term.Keys("M-S-BSpace");
    ASSERT_TRUE(term.WaitFor(" MK>> one\np\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(2, 3, 2)));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    EXPECT_EQ(ReadFile(file), " MK>> one\r\np\r\n");

    // Undone to the start, the file saves as it was.
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor(" MK>> one\n\n"));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(2, 3, 1)));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), text);
}

// ---- Blocks and the clipboard --------------------------------------------

// Copied lines pasted inside a quote keep their text: the plug-in adds no
// prefix to the new line and does not wrap the line that grew too long.
TEST_F(TerminalEditing, PastedLinesGetNoPrefixAndNoWrap) {
    const std::string quoted = " AB> the quick brown fox jumps over the lazy dog while the cat sleeps on";
    auto [scratch, file] = ScratchFile("clipboard", "reply.msg", " AB> short\r\n" + quoted + "\r\nplain\r\n");
    TerminalSession term(scratch, {"--at", "2:1", file});
    ASSERT_TRUE(term.WaitFor(At(2, 4, 1)));

    // Shift+Down takes the whole line with its line break; Ctrl+Ins copies it.
    term.Keys("S-Down");
    ASSERT_TRUE(term.WaitFor(At(3, 4, 1)));
    term.Keys("C-IC");
    term.Keys("C-Home");
    term.Keys("End");
    ASSERT_TRUE(term.WaitFor(At(1, 4, 11)));
    term.Keys("S-IC");
    ASSERT_TRUE(term.WaitFor(At(2, 5, 1)));
    EXPECT_TRUE(term.WaitFor("\n AB> short" + quoted + "\n\n" + quoted + "\nplain\n"));

    // Shift+End selects within a line; Ctrl+C and Ctrl+V copy and paste it.
    term.Keys("Down");
    term.Keys("Down");
    ASSERT_TRUE(term.WaitFor(At(4, 5, 1)));
    term.Keys("S-End");
    ASSERT_TRUE(term.WaitFor(At(4, 5, 6)));
    term.Keys("C-c");
    term.Keys("C-End");
    ASSERT_TRUE(term.WaitFor(At(5, 5, 1)));
    term.Keys("C-v");
    ASSERT_TRUE(term.WaitFor(At(5, 5, 6)));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), " AB> short" + quoted + "\r\n\r\n" + quoted + "\r\nplain\r\nplain");
}

TEST_F(TerminalEditing, TypeOverCutSelectAllAndDelete) {
    auto [scratch, file] = ScratchFile("blocks", "reply.msg", " AB> one two three\r\nsecond\r\n");
    TerminalSession term(scratch, {"--at", "1:10", file});
    ASSERT_TRUE(term.WaitFor(At(1, 3, 10)));

    // A character typed over a block replaces it.
    for (int i = 0; i < 3; ++i) term.Keys("S-Right");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 13)));
    term.Type("2");
    ASSERT_TRUE(term.WaitFor("\n AB> one 2 three\n"));

    // Shift+Del cuts, Shift+Ins pastes on the last line.
    term.Keys("S-Home");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 1)));
    term.Keys("S-DC");
    ASSERT_TRUE(term.WaitFor("\n three\nsecond\n"));
    term.Keys("C-End");
    ASSERT_TRUE(term.WaitFor(At(3, 3, 1)));
    term.Keys("S-IC");
    ASSERT_TRUE(term.WaitFor("\n three\nsecond\n AB> one 2\n"));

    // Ctrl+X cuts a whole line, Ctrl+V puts it at the end of another.
    term.Keys("Up");
    term.Keys("Home");
    ASSERT_TRUE(term.WaitFor(At(2, 3, 1)));
    term.Keys("S-Down");
    ASSERT_TRUE(term.WaitFor(At(3, 3, 1)));
    term.Keys("C-x");
    ASSERT_TRUE(term.WaitFor("\n three\n AB> one 2\n"));
    term.Keys("End");
    ASSERT_TRUE(term.WaitFor(At(2, 2, 11)));
    term.Keys("C-v");
    ASSERT_TRUE(term.WaitFor(At(3, 3, 1)));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    const std::string edited = " three\r\n AB> one 2second\r\n";
    EXPECT_EQ(ReadFile(file), edited);

    // Ctrl+A and Del leave no text at all; one undo brings it back.
    term.Keys("C-a");
    term.Keys("DC");
    ASSERT_TRUE(term.WaitFor(At(1, 1, 1)));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("   866  " + At(1, 1, 1)));
    EXPECT_EQ(ReadFile(file), "");
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor("\n three\n AB> one 2second\n"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), edited);
}

// ---- The terminal's paste ----------------------------------------------------

// A paste is text, not typing: inside a quote of a .msg file none of its
// letters is replaced, its long line is not wrapped, its new lines get no
// prefix, and its line ends become the file's CR LF.
TEST_F(TerminalEditing, ABracketedPasteArrivesAsItIs) {
    const std::string text = Oem(" AB> Привет, мир\r\n AB> конец\r\n");
    auto [scratch, file] = ScratchFile("bracketed-paste", "reply.msg", text);
    TerminalSession term(scratch, {"--at", "1:6", file});
    ASSERT_TRUE(term.WaitFor(At(1, 3, 6)));
    EXPECT_TRUE(term.WaitFor(" AB> Привет, мир\n"));

    const std::string longLine = "Рыжий кот сидел на окне и смотрел, как по улице шли прохожие под дождём, пряча лица";
    const std::string pasted = "Нрав Рыжего кота\n" + longLine + "\nещё ";
    const std::string shown = "\n AB> Нрав Рыжего кота\n" + longLine + "\nещё Привет, мир\n AB> конец\n";
    term.Paste(pasted);  // its line feeds arrive as CR
    ASSERT_TRUE(term.WaitFor(shown));
    EXPECT_TRUE(term.WaitFor("*  866  " + At(3, 5, 5)));

    // One undo takes the whole paste back.
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor("\n AB> Привет, мир\n AB> конец\n"));
    EXPECT_TRUE(term.WaitFor("   866  " + At(1, 3, 6)));

    term.Paste(pasted, true);  // the line feeds kept
    ASSERT_TRUE(term.WaitFor(shown));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), Oem(" AB> Нрав Рыжего кота\r\n" + longLine + "\r\nещё Привет, мир\r\n AB> конец\r\n"));
}

// A paste takes the block's place, keeps what the 1251 table holds beyond
// 866, and makes CR LF, CR and LF alike the file's line end.
TEST_F(TerminalEditing, APasteReplacesTheBlockInTheFilesTableAndLineEnds) {
    const std::string text = "one two three\r\nlast\r\n";
    auto [scratch, file] = ScratchFile("paste-block", "reply.msg", text);
    TerminalSession term(scratch, {"--codepage", "1251", "--at", "1:5", file});
    ASSERT_TRUE(term.WaitFor(At(1, 3, 5)));
    for (int i = 0; i < 3; ++i) term.Keys("S-Right");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 8)));
    term.Paste("«два» — €\r\nНр\rРр\n", true);
    ASSERT_TRUE(term.WaitFor("\none «два» — €\nНр\nРр\n three\nlast\n"));
    EXPECT_TRUE(term.WaitFor(At(4, 6, 1)));
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor("\none two three\nlast\n"));
    EXPECT_TRUE(term.WaitFor("   1251  " + At(1, 3, 8)));  // the cursor where the paste found it
    term.Keys("C-r");
    ASSERT_TRUE(term.WaitFor("\none «два» — €\nНр\nРр\n three\nlast\n"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), "one \xAB\xE4\xE2\xE0\xBB \x97 \x88\r\n\xCD\xF0\r\n\xD0\xF0\r\n three\r\nlast\r\n");

    // In a file of LF lines the same paste brings LF.
    auto [lfScratch, notes] = ScratchFile("paste-lf", "notes.msg", "a\nb\n");
    TerminalSession other(lfScratch, {"--at", "2:1", notes});
    ASSERT_TRUE(other.WaitFor(At(2, 3, 1)));
    other.Paste("x\r\ny\rz\n", true);
    ASSERT_TRUE(other.WaitFor("\na\nx\ny\nz\nb\n"));
    EXPECT_EQ(other.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(notes), "a\nx\ny\nz\nb\n");
}

// A long paste arrives whole, however the terminal splits it, and goes
// back with one undo.
TEST_F(TerminalEditing, ALongPasteArrivesWholeAndGoesBackAtOnce) {
    auto [scratch, file] = ScratchFile("long-paste", "reply.msg", "end\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor(At(1, 2, 1)));
    std::string pasted, saved;
    for (int i = 1; i <= 2000; ++i) {
        std::string line = "строка " + std::to_string(i) + " из двух тысяч, Нр\t" + std::string(40, '=');
        pasted += line + "\n";
        saved += Oem(line) + "\r\n";
    }
    term.Paste(pasted);
    ASSERT_TRUE(term.WaitFor(At(2001, 2002, 1), 30s));
    term.Keys("F2");
    ASSERT_TRUE(term.WaitFor("Saved"));
    EXPECT_EQ(ReadFile(file), saved + "end\r\n");
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor(At(1, 2, 1)));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), "end\r\n");
}

// ---- Characters that the file's table cannot hold ---------------------------

TEST_F(TerminalEditing, CharactersThe866TableLacksAreLeftOutAndNamed) {
    auto [scratch, file] = ScratchFile("not-in-table", "reply.msg", "text\r\n");
    TerminalSession term(scratch, {"--at", "1:5", file});
    ASSERT_TRUE(term.WaitFor(At(1, 2, 5)));
    term.CountBells();

    // Typed: nothing changes, the bell rings and the title line says why.
    term.Type("€");
    ASSERT_TRUE(term.WaitFor("Not typed: \"€\" is not in the 866 table"));
    EXPECT_TRUE(term.WaitForBells(1));
    EXPECT_TRUE(term.WaitFor("   866  " + At(1, 2, 5)));
    term.Type("«");
    ASSERT_TRUE(term.WaitFor("Not typed: \"«\" is not in the 866 table"));
    EXPECT_TRUE(term.WaitForBells(2));
    EXPECT_TRUE(term.WaitFor("\ntext\n"));
    // Typed over a block, such a character leaves the block's text alone.
    for (int i = 0; i < 3; ++i) term.Keys("S-Left");
    ASSERT_TRUE(term.WaitFor(At(1, 2, 2)));
    term.Type("€");
    ASSERT_TRUE(term.WaitFor("Not typed: \"€\" is not in the 866 table"));
    EXPECT_TRUE(term.WaitForBells(3));
    EXPECT_TRUE(term.WaitFor("\ntext\n"));
    EXPECT_TRUE(term.WaitFor("   866  " + At(1, 2, 2)));
    term.Keys("End");  // the next key takes the message away
    ASSERT_TRUE(term.WaitFor(At(1, 2, 5)));
    EXPECT_TRUE(term.WaitForGone("Not typed"));

    // Pasted: the other characters arrive, and the title line counts the rest.
    term.Paste("a€b«c");
    ASSERT_TRUE(term.WaitFor("Pasted; 2 characters not in the 866 table were left out"));
    EXPECT_TRUE(term.WaitFor("\ntextabc\n"));
    term.Paste("€d");
    ASSERT_TRUE(term.WaitFor("Pasted; 1 character not in the 866 table was left out"));
    EXPECT_TRUE(term.WaitFor("\ntextabcd\n"));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), "textabcd\r\n");
}

// The same characters have a place in 1251, and the plug-in goes on
// replacing the Cyrillic letters typed after them.
TEST_F(TerminalEditing, A1251FileTakesGuillemetsDashAndEuro) {
    auto [scratch, file] = ScratchFile("ansi-typing", "reply.msg", "text\r\n");
    TerminalSession term(scratch, {"--codepage", "1251", file});
    ASSERT_TRUE(term.WaitFor("1251  " + At(1, 2, 1)));
    term.Type("«»—€Н");
    ASSERT_TRUE(term.WaitFor("\n«»—€Htext\n"));
    EXPECT_TRUE(term.WaitFor(At(1, 2, 6)));
    EXPECT_EQ(term.Screen().find("Not typed"), std::string::npos);
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), "\xAB\xBB\x97\x88Htext\r\n");
}

// The editor's clipboard holds text, not bytes: copied in 1251 and pasted
// with Ctrl+V after F8 turned the table to 866, what 866 lacks is left out
// and counted as a terminal's paste is.
TEST_F(TerminalEditing, AKeyPasteSaysWhatTheTableCouldNotTake) {
    ScratchFolder scratch("key-paste-table");
    std::string file = scratch.Path("notes.txt");
    WriteFile(file, "\xABx\xBB\r\n");  // «x» in 1251
    TerminalSession term(scratch, {"--codepage", "1251", file});
    ASSERT_TRUE(term.WaitFor("\n«x»\n"));
    term.Keys("S-End");
    ASSERT_TRUE(term.WaitFor(At(1, 2, 4)));
    term.Keys("C-c");
    term.Keys("F8");
    ASSERT_TRUE(term.WaitFor("   866  " + At(1, 2, 4)));
    term.Keys("C-End");
    ASSERT_TRUE(term.WaitFor(At(2, 2, 1)));
    term.Keys("C-v");
    ASSERT_TRUE(term.WaitFor("Pasted; 2 characters not in the 866 table were left out"));
    EXPECT_TRUE(term.WaitFor(At(2, 2, 2)));
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), "\xABx\xBB\r\nx");
}

// ---- The terminal's clipboard -------------------------------------------------

// Copying also hands the block to the terminal (OSC 52), which tmux keeps
// as its buffer: UTF-8, lines joined by "\n".
TEST_F(TerminalEditing, ACopiedBlockReachesTheTerminalsClipboard) {
    auto [scratch, file] = ScratchFile("osc52", "reply.msg", Oem("первая строка\r\nsecond line\r\nthird\r\n"));
    TerminalSession term(scratch, {file}, 100, 30, kUtf8Locale, "", "set -g set-clipboard on");
    ASSERT_TRUE(term.WaitFor(At(1, 4, 1)));
    term.Keys("S-Down");
    term.Keys("S-End");
    ASSERT_TRUE(term.WaitFor(At(2, 4, 12)));
    term.Keys("C-c");
    const std::string expected = "первая строка\nsecond line";
    auto until = std::chrono::steady_clock::now() + 10s;
    std::string buffer;
    while ((buffer = term.Tmux("show-buffer 2>/dev/null")) != expected && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_EQ(buffer, expected);

    // A cut goes there too.
    term.Keys("Down");
    term.Keys("Home");
    ASSERT_TRUE(term.WaitFor(At(3, 4, 1)));
    term.Keys("S-End");
    term.Keys("S-DC");
    ASSERT_TRUE(term.WaitFor("\nsecond line\n\n"));
    until = std::chrono::steady_clock::now() + 10s;
    while ((buffer = term.Tmux("show-buffer 2>/dev/null")) != "third" && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_EQ(buffer, "third");
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), Oem("первая строка\r\nsecond line\r\n\r\n"));
}

// ---- How the selection is drawn --------------------------------------------------

// A cell of the screen with the colours that tmux reports for it: palette
// indices, -1 for the terminal's default.
struct StyledCell {
    std::string ch;  // UTF-8
    int foreground = -1;
    int background = -1;
    bool operator==(const StyledCell&) const = default;
};

// The rows of `capture-pane -e`: the SGR state runs on from row to row.
std::vector<std::vector<StyledCell>> StyledRows(const std::string& capture) {
    std::vector<std::vector<StyledCell>> rows(1);
    int fg = -1, bg = -1;
    bool reverse = false;
    for (std::size_t i = 0; i < capture.size();) {
        if (capture.compare(i, 2, "\x1b[") == 0) {
            std::size_t end = capture.find_first_of("m", i + 2);
            if (end == std::string::npos) break;
            std::vector<int> params;
            std::string list = capture.substr(i + 2, end - i - 2);
            std::size_t at = 0;
            do {
                std::size_t semi = list.find(';', at);
                std::string p = list.substr(at, semi == std::string::npos ? std::string::npos : semi - at);
                params.push_back(p.empty() ? 0 : std::atoi(p.c_str()));
                at = semi == std::string::npos ? list.size() + 1 : semi + 1;
            } while (at <= list.size());
            for (std::size_t k = 0; k < params.size(); ++k) {
                int p = params[k];
                if (p == 0) fg = bg = -1, reverse = false;
                else if (p == 7) reverse = true;
                else if (p == 27) reverse = false;
                else if (p >= 30 && p <= 37) fg = p - 30;
                else if (p >= 90 && p <= 97) fg = p - 90 + 8;
                else if (p == 39) fg = -1;
                else if (p >= 40 && p <= 47) bg = p - 40;
                else if (p >= 100 && p <= 107) bg = p - 100 + 8;
                else if (p == 49) bg = -1;
                else if ((p == 38 || p == 48) && k + 2 < params.size() && params[k + 1] == 5) {
                    (p == 38 ? fg : bg) = params[k + 2];
                    k += 2;
                } else if ((p == 38 || p == 48) && k + 4 < params.size() && params[k + 1] == 2) {
                    (p == 38 ? fg : bg) = 0x1000000 | (params[k + 2] << 16) | (params[k + 3] << 8) | params[k + 4];
                    k += 4;
                }
            }
            i = end + 1;
            continue;
        }
        if (capture[i] == '\n') {
            rows.emplace_back();
            ++i;
            continue;
        }
        std::size_t length = 1;
        auto lead = static_cast<unsigned char>(capture[i]);
        if (lead >= 0xF0) length = 4;
        else if (lead >= 0xE0) length = 3;
        else if (lead >= 0xC0) length = 2;
        rows.back().push_back({capture.substr(i, length), reverse ? bg : fg, reverse ? fg : bg});
        i += length;
    }
    return rows;
}

constexpr int kBlack = 0, kCyan = 6;

TEST_F(TerminalEditing, TheSelectionIsDrawnBlackOnCyan) {
    auto [scratch, file] = ScratchFile("selection-colour", "notes.txt", "alpha beta\r\nsecond\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor(At(1, 3, 1)));
    for (int i = 0; i < 5; ++i) term.Keys("S-Right");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 6)));

    // "alpha" (row 1, the first text row) in the selection's colours, " beta" not.
    auto selected = [](const std::vector<StyledCell>& row) {
        if (row.size() < 10) return false;
        for (int x = 0; x < 5; ++x) {
            if (row[x].foreground != kBlack || row[x].background != kCyan) return false;
        }
        for (int x = 5; x < 10; ++x) {
            if (row[x].foreground == row[0].foreground && row[x].background == row[0].background) return false;
        }
        return true;
    };
    auto until = std::chrono::steady_clock::now() + 10s;
    std::string capture;
    bool drawn = false;
    while (!drawn && std::chrono::steady_clock::now() < until) {
        capture = term.StyledScreen();
        auto rows = StyledRows(capture);
        drawn = rows.size() > 2 && selected(rows[1]);
        if (!drawn) std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(drawn) << capture;

    // A plain move drops the block: the whole line is drawn alike again.
    term.Keys("Right");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 7)));
    bool plain = false;
    until = std::chrono::steady_clock::now() + 10s;
    while (!plain && std::chrono::steady_clock::now() < until) {
        capture = term.StyledScreen();
        auto rows = StyledRows(capture);
        plain = rows.size() > 2 && rows[1].size() >= 10;
        for (int x = 1; plain && x < 10; ++x) {
            plain = rows[1][x].foreground == rows[1][0].foreground && rows[1][x].background == rows[1][0].background;
        }
        if (!plain) std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(plain) << capture;
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
}

// Polls the styled screen until `check` holds for its rows; the last
// capture in the failure otherwise.
template <typename Check>
::testing::AssertionResult WaitForStyle(const TerminalSession& term, Check check) {
    auto until = std::chrono::steady_clock::now() + 10s;
    std::string capture;
    do {
        capture = term.StyledScreen();
        if (check(StyledRows(capture))) return ::testing::AssertionSuccess();
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < until);
    return ::testing::AssertionFailure() << "the screen's colours:\n" << capture;
}

bool InSelection(const StyledCell& cell) { return cell.foreground == kBlack && cell.background == kCyan; }

// Where the window has scrolled across, the selected characters are still
// the ones drawn selected; a selected tab is selected over its whole width.
TEST_F(TerminalEditing, TheSelectionIsDrawnWhereItsCharactersAre) {
    ScratchFolder scratch("selection-place");
    std::string file = scratch.Path("notes.txt");
    std::string longLine;
    for (int i = 0; i < 15; ++i) longLine += std::string(1, static_cast<char>('a' + i)) + "123456789";
    WriteFile(file, "a\tb\r\n" + longLine + "\r\n");
    TerminalSession term(scratch, {"--at", "2:141", file});
    ASSERT_TRUE(term.WaitFor(At(2, 3, 141)));
    for (int i = 0; i < 5; ++i) term.Keys("S-Left");  // "56789" of the 14th group
    ASSERT_TRUE(term.WaitFor(At(2, 3, 136)));
    int x = std::atoi(term.Tmux("display -p -t edit '#{cursor_x}'").c_str());
    ASSERT_GT(x, 0);
    ASSERT_LT(x + 5, 100);
    EXPECT_TRUE(WaitForStyle(term, [x](const std::vector<std::vector<StyledCell>>& rows) {
        if (rows.size() < 3 || static_cast<int>(rows[2].size()) < x + 6) return false;
        for (int i = x; i < x + 5; ++i) {
            if (!InSelection(rows[2][i])) return false;
        }
        return rows[2][x].ch == "5" && rows[2][x + 4].ch == "9" && !InSelection(rows[2][x - 1]) &&
               !InSelection(rows[2][x + 5]);
    }));

    // The first line, tab and all: "a", seven blanks, "b".
    term.Keys("C-Home");
    term.Keys("S-End");
    ASSERT_TRUE(term.WaitFor(At(1, 3, 4)));
    EXPECT_TRUE(WaitForStyle(term, [](const std::vector<std::vector<StyledCell>>& rows) {
        if (rows.size() < 2 || rows[1].size() < 10) return false;
        for (int i = 0; i < 9; ++i) {
            if (!InSelection(rows[1][i])) return false;
        }
        return rows[1][0].ch == "a" && rows[1][8].ch == "b" && !InSelection(rows[1][9]);
    }));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
}

// The terminal's cursor stands where the editor's is, shown, and comes back
// when a dialog that hid it closes.
TEST_F(TerminalEditing, TheCursorIsShownAtTheEditorsPlace) {
    auto [scratch, file] = ScratchFile("cursor", "notes.txt", "alpha\r\nbeta\r\n");
    TerminalSession term(scratch, {"--at", "2:3", file});
    ASSERT_TRUE(term.WaitFor(At(2, 3, 3)));
    auto cursorAt = [&](const std::string& expected) {
        auto until = std::chrono::steady_clock::now() + 10s;
        std::string shown;
        do {
            shown = term.Tmux("display -p -t edit '#{cursor_flag} #{cursor_x} #{cursor_y}'");
            if (shown == expected) return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < until);
        return ::testing::AssertionFailure() << "cursor (shown x y): " << shown;
    };
    EXPECT_TRUE(cursorAt("1 2 2\n"));  // row 0 is the title line
    term.Keys("F7");
    ASSERT_TRUE(term.WaitFor("Search for"));
    term.Keys("Escape");
    ASSERT_TRUE(term.WaitForGone("Search for"));
    EXPECT_TRUE(cursorAt("1 2 2\n"));
    term.Keys("F10");
    EXPECT_EQ(term.WaitForExit(), 0);
}

}  // namespace
}  // namespace edit_e2e
