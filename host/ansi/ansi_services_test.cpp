#include "host/ansi/ansi_services.hpp"

#include <gtest/gtest.h>

#include "tests/support/services_handed_over.hpp"

namespace host {
namespace {

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = SetAnsiServiceTarget(&target_); }
    void TearDown() override { SetAnsiServiceTarget(previous_); }
    AnsiServiceTarget target_;
    AnsiServiceTarget* previous_ = nullptr;
};

TEST_F(ServicesTest, GetMsgAnswersTheTextOrEmptyNeverNull) {
    EXPECT_STREQ(ansiServices::GetMsg(1, 0), "");  // no language file
    LanguageFile file{"English", "English", {"first", "second"}};
    target_.messages = &file;
    EXPECT_STREQ(ansiServices::GetMsg(1, 0), "first");
    EXPECT_STREQ(ansiServices::GetMsg(1, 1), "second");
    EXPECT_STREQ(ansiServices::GetMsg(1, 2), "");
    EXPECT_STREQ(ansiServices::GetMsg(1, -1), "");
    EXPECT_STREQ(ansiServices::GetMsg(1, 1 << 30), "");
    SetAnsiServiceTarget(nullptr);
    EXPECT_STREQ(ansiServices::GetMsg(1, 0), "");
}

TEST_F(ServicesTest, CmpNameAnswersOneOrZero) {
    EXPECT_EQ(ansiServices::CmpName("*.msg", "C:\\FIDO\\REPLY.MSG", 1), 1);
    EXPECT_EQ(ansiServices::CmpName("*.msg", "C:\\FIDO\\REPLY.MSG", 7),
              1);  // any non-zero skips the path
    EXPECT_EQ(ansiServices::CmpName("reply.msg", "C:\\FIDO\\REPLY.MSG", 0), 0);
    EXPECT_EQ(ansiServices::CmpName(nullptr, "a", 1), 0);
    EXPECT_EQ(ansiServices::CmpName("*", nullptr, 1), 0);
}

TEST_F(ServicesTest, WithoutEditorOrUiTheServicesDecline) {
    EditorInfo info{};
    EXPECT_EQ(ansiServices::EditorControl(ECTL_GETINFO, &info), 0);
    EXPECT_EQ(ansiServices::Menu(1, -1, -1, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, 0),
              -1);
    EXPECT_EQ(ansiServices::Dialog(1, -1, -1, 10, 10, nullptr, nullptr, 0), -1);
    EXPECT_EQ(ansiServices::Message(1, 0, nullptr, nullptr, 0, 0), -1);
}

TEST_F(ServicesTest, EditorControlReachesTheCurrentEditor) {
    engine::Editor document("/tmp/reply.msg", "one\r\ntwo\r\n");
    AnsiEditor editor(document);
    target_.editor = &editor;
    EditorGetString line{};
    line.StringNumber = 1;
    ASSERT_EQ(ansiServices::EditorControl(ECTL_GETSTRING, &line), 1);
    EXPECT_EQ(std::string(line.StringText, static_cast<std::size_t>(line.StringLength)), "two");
    ASSERT_EQ(editor.Log().size(), 1u);
    EXPECT_EQ(editor.Log()[0].command, ECTL_GETSTRING);
}

TEST(FillAnsiServices, SetsTheSixServicesAndLeavesTheRest) {
    PluginStartupInfo info{};
    FillAnsiServices(info);
    EXPECT_EQ(testsupport::ServicesHandedOver(info),
              "Menu Dialog Message GetMsg CmpName EditorControl");
}

}  // namespace
}  // namespace host
