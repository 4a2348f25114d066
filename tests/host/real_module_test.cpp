// The real module, loaded from its plug-in folder as the host loads it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "host/ansi/ansi_plugin.hpp"
#include "host/host.hpp"
#include "host/scripted_ui.hpp"
#include "tests/host/real_module_texts.hpp"

namespace host_test {
namespace {

// The module keeps its settings in the registry file (its Unicode build in
// the settings store); run by hand, the tests still must not touch the user's own.
class OwnRegistry : public ::testing::Environment {
public:
    void SetUp() override {
        if (std::getenv("MARTEN_REGISTRY") == nullptr) {
            const auto path =
                std::filesystem::temp_directory_path() / "marten-host-module-tests.reg";
            setenv("MARTEN_REGISTRY", path.c_str(), 1);
        }
        if (std::getenv("MARTEN_SETTINGS") == nullptr) {
            const auto path =
                std::filesystem::temp_directory_path() / "marten-host-module-tests-settings";
            setenv("MARTEN_SETTINGS", path.c_str(), 1);
        }
    }
};
const auto* const kOwnRegistry = ::testing::AddGlobalTestEnvironment(new OwnRegistry);

TEST(RealModule, LoadsWithItsLanguageAndHelpFiles) {
    ForEachLanguage(MARTEN_MODULE_PATH, [](host::Host& host) {
        const PluginInfo info = host.PluginAs<host::AnsiPlugin>()->QueryPluginInfo();
        EXPECT_EQ(info.Flags, PF_DISABLEPANELS | PF_EDITOR);
        ASSERT_EQ(info.PluginMenuStringsNumber, 1);
        EXPECT_EQ(info.PluginMenuStrings[0], host.Messages()->messages.at(7));
    });
}

TEST(RealModule, LeavingTheMenuAtOnceEndsTheConfiguration) {
    host::Host host;
    std::string error;
    ASSERT_TRUE(host.LoadModule(MARTEN_MODULE_PATH, &error)) << error;
    host::ScriptedUi ui;
    host.SetUi(&ui);
    EXPECT_EQ(host.Configure(0), 1);
    EXPECT_EQ(ui.order, std::vector<char>{'M'});
}

}  // namespace
}  // namespace host_test
