// Loading a module: what the host hands to SetStartupInfo, the language and
// help files it reads beside the module, and how a bad module file fails.
#include <cstring>

#include "tests/host/stand_in_fixture.hpp"
#include "tests/support/services_handed_over.hpp"

namespace host_test {
namespace {

const PluginStartupInfo& Received(const StandInState& state) {
    return *reinterpret_cast<const PluginStartupInfo*>(state.received);
}

// True when every byte of the record the module received, from `from` up to
// `to`, is zero.
bool ZeroBetween(const StandInState& state, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
        if (state.received[i] != 0) return false;
    }
    return true;
}

using Loader = StandInFolder;

TEST_F(Loader, HandsOverTheFullRecord) {
    Install(STAND_IN_PATH);
    WriteTexts();
    host::HostOptions options;
    options.moduleNumber = 42;
    options.rootKey = "Software\\Test\\Plugins";
    Load(options);

    StandInState* state = State();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->startupCalls, 1);
    EXPECT_EQ(state->structSize, kKnownStartupInfoSize);
    const PluginStartupInfo& info = Received(*state);
    EXPECT_EQ(info.StructSize, kKnownStartupInfoSize);
    EXPECT_STREQ(info.ModuleName, modulePath_.c_str());
    EXPECT_EQ(info.ModuleNumber, 42);
    ASSERT_NE(info.RootKey, nullptr);
    EXPECT_STREQ(info.RootKey, "Software\\Test\\Plugins");
    EXPECT_EQ(testsupport::ServicesHandedOver(info),
              "Menu Dialog Message GetMsg CmpName EditorControl");
    // The services work from SetStartupInfo on.
    EXPECT_STREQ(state->firstMessage, "filler");
    EXPECT_EQ(info.CmpName("*.msg", "/x/a.MSG", 1), 1);

    ASSERT_NE(host_->Messages(), nullptr);
    EXPECT_EQ(host_->Messages()->language, "English");
    ASSERT_NE(host_->Help(), nullptr);
    EXPECT_NE(host_->Help()->Topic("Contents"), nullptr);
    EXPECT_EQ(host_->PluginFolder(), folder_.string());
    EXPECT_EQ(host_->LoadWarnings(), "");
    ASSERT_NE(host_->PluginAs<host::AnsiPlugin>(), nullptr);
    EXPECT_NE(host_->PluginAs<host::AnsiPlugin>()->Exports().Configure, nullptr);
}

TEST_F(Loader, AShortRecordLeavesTheServicesBeyondItOut) {
    Install(STAND_IN_PATH);
    host::HostOptions options;
    options.startupInfoSize = static_cast<int>(offsetof(PluginStartupInfo, CmpName));
    Load(options);
    StandInState* state = State();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->structSize, options.startupInfoSize);
    const PluginStartupInfo& info = *state->record;
    EXPECT_EQ(info.StructSize, options.startupInfoSize);
    EXPECT_NE(info.GetMsg, nullptr);
    EXPECT_EQ(info.CmpName, nullptr);
    EXPECT_EQ(info.EditorControl, nullptr);
}

TEST_F(Loader, AServiceCutThroughIsLeftOutWhole) {
    Install(STAND_IN_PATH);
    host::HostOptions options;
    options.startupInfoSize = static_cast<int>(offsetof(PluginStartupInfo, GetMsg) + 2);
    Load(options);
    StandInState* state = State();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->record->GetMsg, nullptr);
    EXPECT_NE(state->record->Message, nullptr);
    EXPECT_STREQ(state->firstMessage, "");  // the stand-in had no GetMsg to ask
}

TEST_F(Loader, ALargerRecordAppendsZeroBytes) {
    Install(STAND_IN_PATH);
    host::HostOptions options;
    options.startupInfoSize = kKnownStartupInfoSize + 100;
    Load(options);
    StandInState* state = State();
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->structSize, kKnownStartupInfoSize + 100);
    EXPECT_NE(Received(*state).EditorControl, nullptr);
    EXPECT_TRUE(ZeroBetween(*state, sizeof(PluginStartupInfo), kKnownStartupInfoSize + 100u));
}

TEST_F(Loader, PicksTheLanguageOfTheOptions) {
    Install(STAND_IN_PATH);
    WriteTexts();
    host::HostOptions options;
    options.language = "Russian";
    Load(options);
    EXPECT_EQ(host_->Messages()->language, "Russian");
    EXPECT_STREQ(State()->firstMessage, "\x87\xA0\xAF\xAE\xAB\xAD\xA8\xE2\xA5\xAB\xEC");
    // There is no Russian help file: the English one serves.
    EXPECT_EQ(host_->Help()->language, "English");
}

TEST_F(Loader, WithoutLanguageFilesTheModuleStillLoads) {
    Install(STAND_IN_PATH);
    Load();
    EXPECT_EQ(host_->Messages(), nullptr);
    EXPECT_EQ(host_->Help(), nullptr);
    EXPECT_EQ(host_->LoadWarnings(), "no *.lng file in " + folder_.string() + "\nno *.hlf file in " +
                                         folder_.string() + "\n");
    EXPECT_STREQ(State()->firstMessage, "");
}

TEST_F(Loader, ABrokenLanguageFileIsReportedAndPassedOver) {
    Install(STAND_IN_PATH);
    WriteTexts();
    WriteFile("broken.lng", ".Language=English,English\r\nunquoted\r\n");
    Load();
    EXPECT_EQ(host_->LoadWarnings(), "broken.lng: line 2: expected a quoted message\n");
    EXPECT_STREQ(State()->firstMessage, "filler");
}

TEST_F(Loader, AMissingFileFailsWithTheSystemsReason) {
    host::Host host;
    std::string error;
    const std::string path = (folder_ / "absent.so").string();
    EXPECT_FALSE(host.LoadModule(path, &error));
    // The reason is the system loader's own (glibc's words).
    EXPECT_EQ(error, path + ": cannot open shared object file: No such file or directory");
    EXPECT_EQ(host.Plugin(), nullptr);
}

TEST_F(Loader, AFileThatIsNoLibraryFails) {
    WriteFile("text.so", "not a shared object\n");
    host::Host host;
    std::string error;
    const std::string path = (folder_ / "text.so").string();
    EXPECT_FALSE(host.LoadModule(path, &error));
    EXPECT_EQ(error, path + ": file too short");
}

TEST_F(Loader, AMissingExportIsNamed) {
    Install(STAND_IN_WITHOUT_CONFIGURE_PATH);
    host::Host host;
    std::string error;
    EXPECT_FALSE(host.LoadModule(modulePath_, &error));
    EXPECT_EQ(error, modulePath_ + ": the module does not export Configure");
    EXPECT_EQ(State(), nullptr);  // unloaded again, SetStartupInfo never ran
    // The Host without a module stays safe to use.
    INPUT_RECORD record{};
    EXPECT_EQ(host.Dispatch(record), 0);
    EXPECT_EQ(host.Configure(0), 0);
}

TEST_F(Loader, OneModulePerHostAndUnloadedWithIt) {
    Install(STAND_IN_PATH);
    Load();
    std::string error;
    EXPECT_FALSE(host_->LoadModule(modulePath_, &error));
    EXPECT_EQ(error, "a module is already loaded");
    EXPECT_EQ(State()->startupCalls, 1);
    host_.reset();
    EXPECT_EQ(State(), nullptr);
}

}  // namespace
}  // namespace host_test
