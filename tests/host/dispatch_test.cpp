// Every input record goes to the module first; the editor acts on it only
// when the module answers 0. The other exports are reached through the Host.
#include "host/key_script.hpp"
#include "tests/host/stand_in_fixture.hpp"

namespace host_test {
namespace {

class Dispatch : public StandInFolder {
protected:
    void SetUp() override {
        StandInFolder::SetUp();
        Install(STAND_IN_PATH);
        Load();
        editor_ = std::make_unique<engine::Editor>("/tmp/reply.msg", "abc\r\n");
        editor_->SetCursor(0, 3);
        host_->SetEditor(editor_.get());
    }
    void TearDown() override {
        host_.reset();
        StandInFolder::TearDown();
    }
    static INPUT_RECORD Key(const char* script) {
        std::string error;
        const auto strokes = host::ParseKeyScript(script, &error);
        EXPECT_TRUE(strokes && strokes->size() == 1) << error;
        return host::KeyDownRecord(strokes->at(0));
    }
    std::unique_ptr<engine::Editor> editor_;
};

TEST_F(Dispatch, TheModuleSeesTheRecordBeforeTheEditor) {
    State()->processAnswer = 0;
    EXPECT_EQ(host_->Dispatch(Key("d")), 0);
    EXPECT_EQ(State()->processCalls, 1);
    EXPECT_STREQ(State()->lineSeen, "abc");  // not yet typed when the module looked
    EXPECT_EQ(State()->lastRecord.Event.KeyEvent.uChar.AsciiChar, 'd');
    EXPECT_EQ(editor_->LineAt(0).text, "abcd");
}

TEST_F(Dispatch, AnAnswerOfOneKeepsTheRecordFromTheEditor) {
    State()->processAnswer = 1;
    EXPECT_EQ(host_->Dispatch(Key("d")), 1);
    EXPECT_EQ(editor_->LineAt(0).text, "abc");
    State()->processAnswer = 0;
    EXPECT_EQ(host_->Dispatch(Key("{Enter}")), 0);
    EXPECT_EQ(editor_->LineCount(), 3);
}

TEST_F(Dispatch, KeyUpAndMouseRecordsReachTheModuleToo) {
    INPUT_RECORD mouse{};
    mouse.EventType = MOUSE_EVENT;
    host_->Dispatch(mouse);
    host_->Dispatch(host::KeyUpRecord({}));
    EXPECT_EQ(State()->processCalls, 2);
    EXPECT_EQ(State()->lastRecord.Event.KeyEvent.bKeyDown, 0);
    EXPECT_EQ(editor_->LineAt(0).text, "abc");
}

TEST_F(Dispatch, WithoutAnEditorOnlyTheModuleRuns) {
    host_->SetEditor(nullptr);
    EXPECT_EQ(host_->CurrentEditor(), nullptr);
    EXPECT_EQ(host_->Dispatch(Key("d")), 0);
    EXPECT_EQ(State()->processCalls, 1);
    EXPECT_STREQ(State()->lineSeen, "");  // EditorControl answered 0
}

TEST_F(Dispatch, TheOtherExportsAreReachedWithTheirArguments) {
    const PluginInfo info = host_->PluginAs<host::AnsiPlugin>()->QueryPluginInfo();
    EXPECT_EQ(State()->pluginInfoCalls, 1);
    EXPECT_EQ(info.Flags, PF_EDITOR);
    ASSERT_EQ(info.PluginMenuStringsNumber, 1);
    EXPECT_STREQ(info.PluginMenuStrings[0], "Stand-in");
    EXPECT_EQ(info.DiskMenuStrings, nullptr);  // the host passes a zeroed record

    EXPECT_EQ(host_->Configure(3), 1);
    EXPECT_EQ(State()->configureItem, 3);
    EXPECT_EQ(host_->OpenPlugin(OPEN_EDITOR, 9), INVALID_HANDLE_VALUE);
    EXPECT_EQ(State()->openFrom, OPEN_EDITOR);
    EXPECT_EQ(State()->openItem, 9);

    // A save is announced as the 1.x host does it: EE_SAVE without a record.
    host_->AnnounceSave("/tmp/reply.msg");
    EXPECT_EQ(State()->eventCalls, 1);
    EXPECT_EQ(State()->lastEvent, EE_SAVE);
    EXPECT_EQ(State()->lastEventParam, nullptr);
}

TEST(DispatchWithoutModule, TheEditorActsAlone) {
    host::Host host;
    engine::Editor editor("/tmp/a.txt", "x");
    editor.SetCursor(0, 1);
    host.SetEditor(&editor);
    std::string error;
    const auto strokes = host::ParseKeyScript("y", &error);
    EXPECT_EQ(host.Dispatch(host::KeyDownRecord(strokes->at(0))), 0);
    EXPECT_EQ(editor.LineAt(0).text, "xy");
    EXPECT_EQ(host.OpenPlugin(OPEN_PLUGINSMENU, 0), INVALID_HANDLE_VALUE);
    EXPECT_EQ(host.Plugin(), nullptr);
    EXPECT_TRUE(host.EntryTitles(host::PluginEntries::Commands).empty());
}

}  // namespace
}  // namespace host_test
