// marten-edit's editing in a real terminal: the key sequences of undo and
// redo, the terminal's bracketed paste, and its clipboard (OSC 52). Each
// test checks the bytes saved and the screen; the editing keys themselves
// are tested on the in-memory screen (edit/view/).
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

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
        char32_t cp = static_cast<char32_t>(((c & 0x1F) << 6) |
                                            (static_cast<unsigned char>(utf8[++i]) & 0x3F));
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

// ---- A UTF-8 reply with the Unicode Marten ------------------------------------

// A reply in UTF-8 quoted by two authors, written with the Unicode build: a
// wrap with the prefix that one Ctrl+Z takes back, a join that drops the
// second prefix, Enter carrying a prefix, Н р Р typed among Latin letters.
// The file keeps its byte-order mark, or stays without one, and holds
// exactly what was typed. Without the mark it reads as UTF-8 by its bytes,
// with the build marten-edit loads by default.
class Utf8Reply : public TerminalEditing, public ::testing::WithParamInterface<bool> {};
INSTANTIATE_TEST_SUITE_P(MarkedOrNot, Utf8Reply, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Marked" : "Unmarked"; });

TEST_P(Utf8Reply, WithTheUnicodeMarten) {
    const std::string mark = GetParam() ? "\xEF\xBB\xBF" : "";
    const std::string text =
        "Привет, Борис!\r\n\r\n"
        " AB> Длинная строка цитаты первого автора, которую мы продолжим\r\n"
        " AB> вторая строка цитаты\r\n"
        " CD> Мнение второго автора\r\n CD> о погоде\r\n\r\nОтвет.\r\n";
    auto [scratch, file] = ScratchFile("utf8-reply", "reply.msg", mark + text);
    TerminalSession term(scratch, {file}, 100, 30, kUtf8Locale, "", "",
                         GetParam() ? MARTEN_UNICODE_PLUGIN_DIR : kDefaultPlugins);
    ASSERT_TRUE(term.WaitFor("UTF-8  " + At(1, 9, 1)));
    EXPECT_TRUE(term.WaitFor("\nПривет, Борис!\n"));

    // Past the right margin (78) the last word goes to a line of its own,
    // quoted; one undo takes back the key and the wrap together.
    term.Keys("Down Down End");
    term.Type(" и ещё немного сл");
    ASSERT_TRUE(term.WaitFor("которую мы продолжим и ещё немного\n AB> сл\n AB> вторая"));
    EXPECT_TRUE(term.WaitFor("UTF-8  " + At(4, 10, 8)));
    term.Keys("C-z");
    ASSERT_TRUE(term.WaitFor("которую мы продолжим и ещё немного с\n AB> вторая"));
    EXPECT_TRUE(term.WaitFor("UTF-8  " + At(3, 9, 80)));

    // Del at the end joins the next quoted line without its prefix.
    term.Keys("Down Down End");
    term.Type(" ");
    term.Keys("Delete");
    ASSERT_TRUE(term.WaitFor("\n CD> Мнение второго автора о погоде\n\nОтвет."));

    // Enter inside a quote carries the prefix to the new line.
    term.Keys("Home");
    for (int i = 0; i < 11; ++i) term.Keys("Right");
    ASSERT_TRUE(term.WaitFor(At(5, 8, 12)));
    term.Keys("Enter");
    ASSERT_TRUE(term.WaitFor("\n CD> Мнение\nCD>  второго автора о погоде\n"));

    // Cyrillic look-alikes typed among Latin letters become Latin.
    term.Keys("C-End");
    term.Type("Нello, Рeter: рlease");
    ASSERT_TRUE(term.WaitFor("\nHello, Peter: please"));

    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file),
              mark +
                  "Привет, Борис!\r\n\r\n"
                  " AB> Длинная строка цитаты первого автора, которую мы продолжим и ещё немного с"
                  "\r\n AB> вторая строка цитаты\r\n"
                  " CD> Мнение\r\nCD>  второго автора о погоде\r\n\r\nОтвет.\r\n"
                  "Hello, Peter: please");
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

    const std::string longLine =
        "Рыжий кот сидел на окне и смотрел, как по улице шли прохожие под дождём, пряча лица";
    const std::string pasted = "Нрав Рыжего кота\n" + longLine + "\nещё ";
    const std::string shown =
        "\n AB> Нрав Рыжего кота\n" + longLine + "\nещё Привет, мир\n AB> конец\n";
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
    EXPECT_EQ(ReadFile(file), Oem(" AB> Нрав Рыжего кота\r\n" + longLine +
                                  "\r\nещё Привет, мир\r\n AB> конец\r\n"));
}

// A long paste arrives whole, however the terminal splits it, and goes
// back with one undo.
TEST_F(TerminalEditing, ALongPasteArrivesWholeAndGoesBackAtOnce) {
    auto [scratch, file] = ScratchFile("long-paste", "reply.msg", "end\r\n");
    TerminalSession term(scratch, {file});
    ASSERT_TRUE(term.WaitFor(At(1, 2, 1)));
    std::string pasted, saved;
    for (int i = 1; i <= 2000; ++i) {
        std::string line =
            "строка " + std::to_string(i) + " из двух тысяч, Нр\t" + std::string(40, '=');
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

// ---- The terminal's clipboard -------------------------------------------------

// Copying also hands the block to the terminal (OSC 52), which tmux keeps
// as its buffer: UTF-8, lines joined by "\n".
TEST_F(TerminalEditing, ACopiedBlockReachesTheTerminalsClipboard) {
    auto [scratch, file] =
        ScratchFile("osc52", "reply.msg", Oem("первая строка\r\nsecond line\r\nthird\r\n"));
    TerminalSession term(scratch, {file}, 100, 30, kUtf8Locale, "", "set -g set-clipboard on");
    ASSERT_TRUE(term.WaitFor(At(1, 4, 1)));
    term.Keys("S-Down");
    term.Keys("S-End");
    ASSERT_TRUE(term.WaitFor(At(2, 4, 12)));
    term.Keys("C-c");
    const std::string expected = "первая строка\nsecond line";
    auto until = std::chrono::steady_clock::now() + 10s;
    std::string buffer;
    while ((buffer = term.Tmux("show-buffer 2>/dev/null")) != expected &&
           std::chrono::steady_clock::now() < until) {
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
    while ((buffer = term.Tmux("show-buffer 2>/dev/null")) != "third" &&
           std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_EQ(buffer, "third");
    EXPECT_EQ(term.SaveAndQuit(), 0);
    EXPECT_EQ(ReadFile(file), Oem("первая строка\r\nsecond line\r\n\r\n"));
}

}  // namespace
}  // namespace edit_e2e
