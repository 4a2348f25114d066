// In the editor's ANSI table the conversions to OEM and back lose
// characters. Whatever the table, the module must change only what it means
// to change: lines made of all 256 byte values (but the two that end a
// line) go through Enter, Delete, Backspace and the wrap, and every byte
// outside the change must still be there, in order. The reference reads the
// editor's bytes directly: a mark, a blank or a TAB is only where the text
// has one, as ANSI 1251 encodes them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "engine/editor.hpp"
#include "host/ansi/ansi_plugin.hpp"
#include "host/host.hpp"
#include "host/key_script.hpp"
#include "tests/e2e/case_runner.hpp"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// 1-based positions of the first and last '>', 0 without one.
int FirstMark(std::string_view s) {
    const std::size_t at = s.find('>');
    return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}
int LastMark(std::string_view s) {
    const std::size_t at = s.rfind('>');
    return at == std::string_view::npos ? 0 : static_cast<int>(at + 1);
}
// What the removal of the prefix takes: through the last mark and the blank behind it.
std::size_t PrefixLength(std::string_view s) {
    const auto mark = static_cast<std::size_t>(LastMark(s));
    return mark < s.size() && IsBlank(s[mark]) ? mark + 1 : mark;
}

// A line of random bytes with blanks, marks and the ANSI characters that
// read as '>' in code page 866 ('»' 0xBB, '›' 0x9B), now and then after a
// quotation prefix.
std::string RandomLine(std::mt19937& random, int length) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    static const char* const prefixes[] = {"", "", " \xC0\xC1> ", "XY>> ", "\t\xBB> ", " \xBB ",
                                           "\xAB\xC4\xE0\xBB ", "> "};
    std::string line = prefixes[pick(8)];
    while (static_cast<int>(line.size()) < length) {
        switch (pick(8)) {
        case 0: line += ' '; break;
        case 1: line += pick(2) ? '>' : '\t'; break;
        case 2: line += pick(2) ? '\xBB' : '\x9B'; break;
        default: {
            char c;
            do c = static_cast<char>(pick(256)); while (c == '\r' || c == '\n');
            line += c;
        }
        }
    }
    return line;
}

// The module loaded with `settings`, and an ANSI editor for each document.
class Module {
public:
    Module(const e2e::CaseSettings& settings, const std::string& name) {
        hostOptions_.rootKey = "Software\\Marten\\TextKept\\" + name;
        std::string problem;
        if (!e2e::StoreSettings(hostOptions_.rootKey + "\\Tansy\\Marten", settings, &problem)) {
            ADD_FAILURE() << problem;
        }
        host_ = std::make_unique<host::Host>(hostOptions_);
        if (!host_->LoadModule(MARTEN_MODULE_PATH, &problem)) ADD_FAILURE() << problem;
    }

    // The document after the module alone has handled the key-down of `stroke`.
    std::vector<std::string> After(const std::string& document, int line, int pos,
                                   const host::KeyStroke& stroke) {
        engine::Editor editor("C:\\Fido\\reply.msg", document, engine::CodePage::Ansi1251);
        host_->SetEditor(&editor);
        editor.SetCursor(line, pos);
        const INPUT_RECORD down = host::KeyDownRecord(stroke);
        host_->PluginAs<host::AnsiPlugin>()->Exports().ProcessEditorInput(&down);
        std::vector<std::string> lines;
        for (int n = 0; n < editor.LineCount(); ++n) lines.emplace_back(editor.LineAt(n).text);
        host_->SetEditor(nullptr);
        return lines;
    }

private:
    host::HostOptions hostOptions_;
    std::unique_ptr<host::Host> host_;
};

std::string Shown(const std::string& bytes) {
    return engine::ToUtf8(engine::CodePage::Ansi1251, bytes);
}

TEST(TextKept, EnterDeleteAndBackspaceChangeOnlyThePrefix) {
    e2e::CaseSettings settings;
    settings.RIndent = 100000;  // no wrap gets in the way
    Module module(settings, "Quote");
    std::mt19937 random(0x71756f74);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    int changed = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string upper = RandomLine(random, pick(30));
        const std::string lower = RandomLine(random, pick(30));
        const std::string document = upper + "\r\n" + lower;
        SCOPED_TRACE("lines \"" + Shown(upper) + "\" and \"" + Shown(lower) + "\"");
        std::vector<std::string> expected{upper, lower};
        std::vector<std::string> actual;
        switch (round % 3) {
        case 0: {  // Enter inside the upper line: its trimmed prefix goes in at the cursor
            const int pos = pick(static_cast<int>(upper.size()) + 2);
            const int last = LastMark(upper);
            if (last > 0 && last <= pos && pos < static_cast<int>(upper.size()) &&
                FirstMark(upper) <= 7) {
                std::size_t start = 0;
                while (IsBlank(upper[start])) ++start;
                expected[0].insert(static_cast<std::size_t>(pos),
                                   upper.substr(start, static_cast<std::size_t>(last) - start) + " ");
            }
            actual = module.After(document, 0, pos, {VK_RETURN, 0, 13});
            break;
        }
        case 1:  // Delete at the end of the upper line
            if (LastMark(upper) > 0 && LastMark(lower) > 0) expected[1].erase(0, PrefixLength(lower));
            actual = module.After(document, 0, static_cast<int>(upper.size()), {VK_DELETE, 0, 0});
            break;
        default:  // Backspace at the start of the lower line
            if (LastMark(upper) > 0 && LastMark(lower) > 0) expected[1].erase(0, PrefixLength(lower));
            actual = module.After(document, 1, 0, {VK_BACK, 0, 8});
            break;
        }
        if (expected != std::vector<std::string>{upper, lower}) ++changed;
        ASSERT_EQ(actual, expected) << "round " << round;
    }
    EXPECT_GT(changed, 300);  // the lines do reach the changes
}

// The wrap splits the line: every line written is the prefix (the line's
// own bytes through its last mark, and a blank), an indent of blanks, and a
// piece of the line taken as it stands; the pieces follow one another with
// only blanks between them.
TEST(TextKept, TheWrapKeepsEveryByteInOrder) {
    std::mt19937 random(0x77726170);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (const int margin : {12, 30, 61}) {
        e2e::CaseSettings settings;
        settings.RIndent = margin;
        settings.LIndent = 2;
        settings.EnableAutoIndent = 0;
        Module module(settings, "Wrap" + std::to_string(margin));
        for (int round = 0; round < 800; ++round) {
            const std::string line = RandomLine(random, margin + 1 + pick(4 * margin));
            SCOPED_TRACE("margin " + std::to_string(margin) + ", line \"" + Shown(line) + "\"");
            const std::vector<std::string> lines =
                module.After(line, 0, static_cast<int>(line.size()), {'X', 0, 'x'});

            const int last = LastMark(line);
            const bool quoted = last > 0 && last <= margin - 6 && FirstMark(line) <= 7;
            const std::string prefix = quoted ? line.substr(0, static_cast<std::size_t>(last)) + " " : "";
            const std::string_view text = std::string_view(line).substr(quoted ? PrefixLength(line) : 0);
            std::size_t at = 0;  // how much of the text the lines have placed
            for (std::size_t n = 0; n < lines.size(); ++n) {
                std::string_view written = lines[n];
                ASSERT_EQ(written.substr(0, prefix.size()), prefix) << "line " << n;
                written.remove_prefix(prefix.size());
                // A continuation line starts with the indent; its piece of the
                // text never starts with a space (TABs stay, spaces are dropped).
                if (n > 0) written.remove_prefix(std::min(written.find_first_not_of(' '), written.size()));
                // The blanks at the break are dropped.
                while (at < text.size() && IsBlank(text[at]) && text.substr(at, written.size()) != written) {
                    ++at;
                }
                ASSERT_EQ(text.substr(at, written.size()), written) << "line " << n << " of " << lines.size();
                at += written.size();
            }
            EXPECT_EQ(text.substr(at).find_first_not_of(" \t"), std::string_view::npos)
                << "text left unplaced: \"" << Shown(std::string(text.substr(at))) << "\"";
        }
    }
}

}  // namespace
