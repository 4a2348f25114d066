// Undo, blocks and pastes with the real module loaded: one undo step takes
// back a whole dispatched record, the plug-in's changes included, and a
// pasted block never passes through the plug-in.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "engine/clipboard.hpp"
#include "engine/editor.hpp"
#include "host/host.hpp"
#include "host/key_script.hpp"

namespace host_test {
namespace {

class RealModuleEditing : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(host_.LoadModule(MARTEN_MODULE_PATH, &error)) << error;
    }
    void TearDown() override { host_.SetEditor(nullptr); }

    // An editor on `text` (UTF-8, stored in `table`) of a file the module acts in.
    engine::Editor& Open(const std::string& text, engine::CodePage table = engine::CodePage::Oem866) {
        editor_ = std::make_unique<engine::Editor>("/home/u/fido/reply.msg", engine::FromUtf8(table, text), table);
        host_.SetEditor(editor_.get());
        editor_->SetClipboard(&clipboard_);
        return *editor_;
    }

    // Each stroke of a key script as the console delivers it: key down, key up.
    void Keys(const char* script) {
        std::string error;
        const auto strokes = host::ParseKeyScript(script, &error);
        ASSERT_TRUE(strokes) << error;
        for (const host::KeyStroke& stroke : *strokes) {
            host_.Dispatch(host::KeyDownRecord(stroke));
            host_.Dispatch(host::KeyUpRecord(stroke));
        }
    }

    std::string Text() const { return engine::ToUtf8(editor_->Table(), editor_->Bytes()); }
    engine::TextPosition Cursor() const { return {editor_->CurLine(), editor_->CurPos()}; }

    host::Host host_;
    engine::MemoryClipboard clipboard_;
    std::unique_ptr<engine::Editor> editor_;
};

const std::string kLongQuote =
    " AB> Собрал вчера весь комплект и проверил каждую деталь два раза подряд, всё работает";

// What the module does to a key goes back with one undo, the cursor with it,
// and comes again with one redo.
TEST_F(RealModuleEditing, OneUndoTakesBackWhatTheModuleDidForAKey) {
    const struct {
        const char* name;
        std::string text;
        engine::TextPosition cursor;
        const char* keys;
        std::size_t linesAfter;
    } cases[] = {
        {"wrap", kLongQuote + "\r\nnext\r\n", {0, 86}, "x", 4},
        {"quote continued on Enter", " AB> first part second part\r\n", {0, 16}, "{Enter}", 3},
        {"quotes joined on Delete", " AB> one\r\n AB> two\r\n", {0, 8}, "{Del}", 2},
        {"a letter substituted", "Hello \r\n", {0, 6}, "Н", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine::Editor& e = Open(c.text);
        e.SetCursor(c.cursor.line, c.cursor.byteColumn);
        Keys(c.keys);
        const std::string after = Text();
        const engine::TextPosition cursorAfter = Cursor();
        EXPECT_EQ(static_cast<std::size_t>(e.LineCount()), c.linesAfter) << after;
        EXPECT_EQ(e.UndoHistorySize().steps, 1u);

        Keys("{Ctrl+z}");
        EXPECT_EQ(Text(), c.text);
        EXPECT_EQ(Cursor(), c.cursor);
        EXPECT_FALSE(e.Modified());
        Keys("{Ctrl+r}");
        EXPECT_EQ(Text(), after);
        EXPECT_EQ(Cursor(), cursorAfter);
    }
}

// Typing with no change by the module joins into one step; each letter
// the module substitutes is a step of its own.
TEST_F(RealModuleEditing, TypedRunsJoinUnlessTheModuleChangedSomething) {
    engine::Editor& e = Open("Hello ");
    e.SetCursor(0, 6);
    Keys("world, ");
    EXPECT_EQ(e.UndoHistorySize().steps, 1u);
    Keys("Нр!");
    EXPECT_EQ(Text(), "Hello world, Hp!");
    Keys("{Ctrl+z}");
    EXPECT_EQ(Text(), "Hello world, Hp");
    Keys("{Ctrl+z}");
    EXPECT_EQ(Text(), "Hello world, H");
    Keys("{Alt+BS}");
    EXPECT_EQ(Text(), "Hello world, ");
    Keys("{Alt+BS}");
    EXPECT_EQ(Text(), "Hello ");
}

// A pasted block reaches the text as it is: no letter substituted, no
// line wrapped, no prefix added, and it is one step.
TEST_F(RealModuleEditing, APastedBlockBypassesTheModule) {
    const std::string pasted = "Вторая строка: Родина, Нина\n" + kLongQuote + "\nРр";
    for (const bool byKey : {false, true}) {
        engine::Editor& e = Open("\r\n");
        if (byKey) {
            clipboard_.SetText(pasted);
            Keys("{Shift+Ins}");
        } else {
            EXPECT_EQ(e.InsertUtf8Block(pasted), 0u);
        }
        EXPECT_EQ(Text(), "Вторая строка: Родина, Нина\r\n" + kLongQuote + "\r\nРр\r\n");
        EXPECT_EQ(Cursor(), (engine::TextPosition{2, 2}));
        EXPECT_EQ(e.UndoHistorySize().steps, 1u);
        Keys("{Ctrl+z}");
        EXPECT_EQ(Text(), "\r\n");
    }
}

// In the ANSI table a character that code page 866 lacks is typed through
// the byte the UI passes; the module sees the stand-in.
TEST_F(RealModuleEditing, ATypedByteReachesAnAnsiFile) {
    engine::Editor& e = Open("Цена ", engine::CodePage::Ansi1251);
    e.SetCursor(0, 5);
    std::string error;
    const auto stand = host::ParseKeyScript("?", &error);
    ASSERT_TRUE(stand);
    for (const unsigned char byte : {0xABu, 0x88u, 0xBBu}) {  // « € »
        host_.Dispatch(host::KeyDownRecord(stand->at(0)), byte);
        host_.Dispatch(host::KeyUpRecord(stand->at(0)));
    }
    EXPECT_EQ(Text(), "Цена «€»");
}

// The module reacts to any key with a character at the end of an overlong
// line, the undo key too: that reaction goes, and the step before with it.
TEST_F(RealModuleEditing, AnUndoKeyTakesBackTheLastStepWhateverTheModuleDidOnIt) {
    engine::Editor& e = Open(kLongQuote + "\r\n");
    e.SetCursor(0, 87);  // beyond the end: typing there does not wrap
    Keys("x");
    EXPECT_EQ(e.LineCount(), 2);
    Keys("{Ctrl+z}");  // at the end of the line now: the module wraps first
    EXPECT_EQ(Text(), kLongQuote + "\r\n");
    EXPECT_EQ(Cursor(), (engine::TextPosition{0, 87}));
    Keys("{Ctrl+r}");
    EXPECT_EQ(Text(), kLongQuote + " x\r\n");
}

// Whatever a run of keys did, with the module's changes among them, undoing
// every step gives the document back byte for byte, and redoing every step
// gives the newest state again, cursor included.
TEST_F(RealModuleEditing, UndoingEverythingRestoresTheDocumentExactly) {
    const char* keys[] = {"x", " ", "Н", "р", "Р", "{Enter}", "{Del}", "{BS}", "{Ctrl+Del}", "{Ctrl+BS}",
                          "{Left}", "{Right}", "{Up}", "{Down}", "{End}", "{Home}", "{Shift+Right}",
                          "{Shift+Down}", "{Ctrl+Shift+Left}", "{Ctrl+y}", "{Ctrl+x}", "{Ctrl+v}",
                          "{Ctrl+c}", "{Ctrl+a}", "{Tab}", "{Ctrl+z}", "{Ctrl+r}", "{Ctrl+Right}"};
    const std::string start = kLongQuote + "\r\n AB>> Второй уровень цитаты тоже длинный, чтобы перенос сработал тут\n" +
                              "plain words\rlast";
    std::mt19937 random(12);
    for (int run = 0; run < 20; ++run) {
        engine::Editor& e = Open(start);
        const std::string original = e.Bytes();
        for (int k = 0; k < 120; ++k) {
            std::uniform_int_distribution<std::size_t> pick(0, std::size(keys) - 1);
            // Typing at the end of a long line now and then, where the wrap acts.
            if (k % 15 == 0) Keys("{End}");
            Keys(keys[pick(random)]);
        }
        // The run may end with undone steps: from the newest state reached.
        while (e.Redo()) {
        }
        if (e.Undo()) e.Redo();  // the cursor where the newest step left it
        EXPECT_GT(e.UndoHistorySize().steps, 10u) << "run " << run;
        const std::string newest = e.Bytes();
        const engine::TextPosition cursor = Cursor();
        while (e.Undo()) {
        }
        EXPECT_EQ(e.Bytes(), original) << "run " << run;
        EXPECT_FALSE(e.Modified());
        while (e.Redo()) {
        }
        EXPECT_EQ(e.Bytes(), newest) << "run " << run;
        EXPECT_EQ(Cursor(), cursor) << "run " << run;
    }
}

}  // namespace
}  // namespace host_test
