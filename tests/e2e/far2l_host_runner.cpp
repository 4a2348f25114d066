#include "tests/e2e/far2l_host_runner.hpp"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "host/far2l/far2l_plugin.hpp"
#include "tests/e2e/unicode_host_runner.hpp"

namespace e2e {

namespace fs = std::filesystem;

Far2lProfile::Far2lProfile(const CaseSettings& s) {
    static int made = 0;
    folder_ = fs::temp_directory_path() /
              ("marten-e2e-far2l-" + std::to_string(::getpid()) + "-" + std::to_string(++made));
    const fs::path ini = folder_ / ".config/plugins/marten/config.ini";
    fs::create_directories(ini.parent_path());
    std::ofstream(ini, std::ios::binary)
        << "[Settings]\nEnableQuote=" << int{s.EnableQuote}
        << "\nEnableAutoWrap=" << int{s.EnableAutoWrap}
        << "\nEnableAutoIndent=" << int{s.EnableAutoIndent}
        << "\nEnableHPChange=" << int{s.EnableHPChange} << "\nRIndent=" << s.RIndent
        << "\nLIndent=" << s.LIndent << "\nFileMask=" << s.FileMask
        << "\nBalanced=" << int{s.Balanced} << "\n";
    if (const char* earlier = std::getenv("FARSETTINGS")) earlier_ = earlier;
    ::setenv("FARSETTINGS", folder_.c_str(), 1);
}

Far2lProfile::~Far2lProfile() {
    if (earlier_) {
        ::setenv("FARSETTINGS", earlier_->c_str(), 1);
    } else {
        ::unsetenv("FARSETTINGS");
    }
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

CaseOutcome RunCaseThroughFar2lHost(const Case& c, const std::string& modulePath) {
    Far2lProfile profile(c.settings);
    return TypeCaseThroughHost(
        c, modulePath,
        [](host::Host& host) { return host.PluginAs<host::Far2lPlugin>() != nullptr; },
        "not loaded through far2l's interface");
}

}  // namespace e2e
