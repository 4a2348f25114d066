// A confirmed dialog takes effect at the next editor event: the new margin
// decides the next wrap, and an emptied mask switches the module off.
#include <gtest/gtest.h>

#include "host/editor.hpp"
#include "host/key_script.hpp"
#include "module/ansi/config_dialog.hpp"
#include "module/ui/config_menu.hpp"
#include "tests/config/config_session.hpp"

namespace config_test {
namespace {

using namespace marten;
using namespace marten::ansi;
using host::DialogAnswer;

using ConfigEffectTest = ConfigSession;

// One key typed into the editor as the console delivers it: down, then up.
void Type(host::Host& host, unsigned char oemChar) {
    host::KeyStroke stroke;
    stroke.oemChar = oemChar;
    host.Dispatch(host::KeyDownRecord(stroke));
    host.Dispatch(host::KeyUpRecord(stroke));
}

TEST_F(ConfigEffectTest, NewRightMarginDecidesTheNextWrap) {
    Start();
    const std::string line = "aaaa bbbb cccc dddd eeee";  // 24 characters
    host::Editor editor("reply.msg", line);
    editor.SetCursor(0, static_cast<int>(line.size()));
    host_->SetEditor(&editor);

    Type(*host_, 'x');  // within the default margin of 78: no wrap
    ASSERT_EQ(editor.LineCount(), 1);
    EXPECT_EQ(editor.LineAt(0).text, line + "x");

    ConfirmRIndent("20");
    ui_.LeaveMenu();
    ASSERT_EQ(host_->Configure(0), 1);

    Type(*host_, 'y');
    ASSERT_EQ(editor.LineCount(), 2);
    EXPECT_EQ(editor.LineAt(0).text, "aaaa bbbb cccc dddd");
    EXPECT_EQ(editor.LineAt(1).text, "eeeexy");
}

TEST_F(ConfigEffectTest, EmptiedMaskSwitchesTheModuleOff) {
    Start();
    host::Editor editor("reply.msg", "");
    host_->SetEditor(&editor);
    constexpr unsigned char kCyrillicCapitalEn = 0x8D;  // in code page 866

    Type(*host_, kCyrillicCapitalEn);
    EXPECT_EQ(editor.LineAt(0).text, "H");

    ui_.ChooseMenu(MenuConfigure);
    ui_.AnswerDialog({{DialogAnswer::Type{ItemFileMask, ""}}, ItemOk});
    ui_.LeaveMenu();
    ASSERT_EQ(host_->Configure(0), 1);
    EXPECT_EQ(ReadStringSetting("FileMask"), "");

    Type(*host_, kCyrillicCapitalEn);
    EXPECT_EQ(editor.LineAt(0).text, "H\x8D");
}

}  // namespace
}  // namespace config_test
