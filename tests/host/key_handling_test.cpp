// Keys on their way from the host to the plug-in and the editor, through the
// probe of the Unicode interface and a key handler that keeps one command
// of its own (F2, as marten-edit's save): every key goes to the plug-in
// first; a key the plug-in feeds back is then handled as the user's own,
// commands and undo once the plug-in's call is over.
#include <string>
#include <vector>

#include "host/key_input.hpp"
#include "host/key_script.hpp"
#include "tests/host/unicode_probe_fixture.hpp"

namespace host_test {
namespace {

using engine::CodePage;

constexpr WORD kF2 = VK_F1 + 1;

// The UI's side: F2 is its command; what it did, and what it saw meanwhile.
class RecordingKeys : public host::KeyHandler {
public:
    RecordingKeys(engine::Editor& editor, host::UnicodePlugin& plugin)
        : editor_(editor), plugin_(plugin), engine_(&editor) {}
    host::KeyKind KindOf(const INPUT_RECORD& record) const override {
        const bool f2 = record.EventType == KEY_EVENT && record.Event.KeyEvent.bKeyDown &&
                        record.Event.KeyEvent.wVirtualKeyCode == kF2;
        return f2 ? host::KeyKind::Command : engine_.KindOf(record);
    }
    void Handle(const host::ConsoleKey& key, bool fedBack) override {
        if (KindOf(key.record) != host::KeyKind::Command) {
            engine_.Handle(key, fedBack);
            return;
        }
        // What a save would write, and whether the plug-in's bracket was still open.
        saves.push_back(std::string(editor_.LineAt(0).text) + " brackets " +
                        std::to_string(plugin_.Editor()->OpenBrackets()));
    }
    std::vector<std::string> saves;

private:
    engine::Editor& editor_;
    host::UnicodePlugin& plugin_;
    host::EngineKeys engine_;
};

RecordingKeys* g_keys = nullptr;

std::intptr_t Control(UnicodeProbeState& s, unicode_api::EDITOR_CONTROL_COMMANDS command,
                      void* param) {
    return s.info.EditorControl(unicode_api::CURRENT_EDITOR, command, 0, param);
}

// As a plug-in that wraps does: in a bracket, a change of the line, the key
// fed back (the nested call leaves it), the bracket closed, the key consumed.
std::intptr_t ChangeAndFeedBack(UnicodeProbeState& s, const INPUT_RECORD& record) {
    if (!record.Event.KeyEvent.bKeyDown || s.scratch[0] != 0) return 0;
    s.scratch[0] = 1;
    unicode_api::EditorUndoRedo bracket{sizeof bracket, unicode_api::EUR_BEGIN};
    Control(s, unicode_api::ECTL_UNDOREDO, &bracket);
    const std::u16string text = u"wrapped";
    unicode_api::EditorSetString set{sizeof set, 0, static_cast<std::intptr_t>(text.size()),
                                     text.data(), nullptr};
    Control(s, unicode_api::ECTL_SETSTRING, &set);
    INPUT_RECORD fed = record;
    Control(s, unicode_api::ECTL_PROCESSINPUT, &fed);
    s.scratch[1] = static_cast<std::intptr_t>(g_keys->saves.size());  // before the bracket ends
    bracket.Command = unicode_api::EUR_END;
    Control(s, unicode_api::ECTL_UNDOREDO, &bracket);
    s.scratch[0] = 0;
    return 1;
}

class KeyHandling : public UnicodeProbeFolder {
protected:
    void Start(UnicodeProbeInput onInput) {
        LoadProbe();
        Probe()->onInput = onInput;
        Edit("text\r\n", CodePage::Oem866, 0, 4);
        keys_ = std::make_unique<RecordingKeys>(*editor_, Unicode());
        g_keys = keys_.get();
        host_->SetKeyHandler(keys_.get());
    }
    void TearDown() override {
        if (host_) host_->SetKeyHandler(nullptr);
        g_keys = nullptr;
        UnicodeProbeFolder::TearDown();
    }
    INPUT_RECORD KeyDown(WORD virtualKey, char16_t unit = 0, DWORD control = 0) {
        return Key(unit, virtualKey, control);
    }
    std::unique_ptr<RecordingKeys> keys_;
};

TEST_F(KeyHandling, ACommandKeyIsOfferedToTheUnicodePluginBeforeTheEditorActs) {
    Start([](UnicodeProbeState& s, const INPUT_RECORD& record) -> std::intptr_t {
        if (record.Event.KeyEvent.bKeyDown)
            s.scratch[2] = static_cast<std::intptr_t>(g_keys->saves.size());
        return s.scratch[3];  // consumed when the test says so
    });
    EXPECT_EQ(host_->DispatchUnicode(KeyDown(kF2)), 0);
    EXPECT_EQ(Probe()->lastRecord.Event.KeyEvent.wVirtualKeyCode, kF2);
    EXPECT_EQ(Probe()->scratch[2], 0);  // the plug-in saw F2 while nothing was saved
    EXPECT_EQ(keys_->saves, std::vector<std::string>{"text brackets 0"});
    // A plug-in that consumes the key keeps it from the editor.
    Probe()->scratch[3] = 1;
    EXPECT_EQ(host_->Dispatch(host::KeyDownRecord({kF2, 0, 0})), 1);
    EXPECT_EQ(Probe()->inputCalls, 2);
    EXPECT_EQ(keys_->saves.size(), 1u);
}

TEST_F(KeyHandling, AFedBackCommandRunsOnceThePluginsCallIsOver) {
    Start(ChangeAndFeedBack);
    EXPECT_EQ(host_->DispatchUnicode(KeyDown(kF2)), 1);
    EXPECT_EQ(Probe()->scratch[1], 0);  // not yet while the plug-in ran
    EXPECT_EQ(keys_->saves, std::vector<std::string>{"wrapped brackets 0"});
}

TEST_F(KeyHandling, AFedBackUndoTakesBackTheStepOfThePluginsBracket) {
    Start(nullptr);
    host_->Dispatch(host::KeyDownRecord({0, 0, '!'}));  // a step before the plug-in's
    ASSERT_EQ(Lines(), "text!|");
    Probe()->onInput = ChangeAndFeedBack;
    EXPECT_EQ(host_->DispatchUnicode(KeyDown('Z', 0x1A, LEFT_CTRL_PRESSED)), 1);
    EXPECT_EQ(Lines(), "text!|");
    EXPECT_TRUE(editor_->CanRedo());
    // An edit fed back runs at once, inside the bracket (at the cursor, which
    // the change of the line left at column 5): one step with the change.
    host_->DispatchUnicode(KeyDown(0, u'?'));
    EXPECT_EQ(Lines(), "wrapp?ed|");
    ASSERT_TRUE(editor_->Undo());
    EXPECT_EQ(Lines(), "text!|");
}

}  // namespace
}  // namespace host_test
