#include "tests/host/stand_in_fixture.hpp"

#include <dlfcn.h>

#include <fstream>

namespace host_test {

namespace fs = std::filesystem;

void StandInFolder::SetUp() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = fs::temp_directory_path() /
              ("marten-host-" + std::string(test->test_suite_name()) + "-" + test->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
}

void StandInFolder::TearDown() {
    host_.reset();
    fs::remove_all(folder_);
}

std::string StandInFolder::Install(const char* source, const char* name) {
    const fs::path target = folder_ / name;
    fs::copy_file(source, target, fs::copy_options::overwrite_existing);
    modulePath_ = target.string();
    return modulePath_;
}

void StandInFolder::WriteFile(const char* name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
}

void StandInFolder::WriteTexts() {
    WriteFile("stand_in_en.lng", ".Language=English,English\r\n\"filler\"\r\n\"OK\"\r\n");
    WriteFile("stand_in_ru.lng",
              ".Language=Russian,Russian\r\n\"\x87\xA0\xAF\xAE\xAB\xAD\xA8\xE2\xA5\xAB\xEC\"\r\n");
    WriteFile("stand_in_en.hlf",
              ".Language=English,English\r\n.PluginContents=Stand-in\r\n@Contents\r\nHelp.\r\n");
}

void StandInFolder::Load(host::HostOptions options) {
    host_ = std::make_unique<host::Host>(options);
    std::string error;
    ASSERT_TRUE(host_->LoadModule(modulePath_, &error)) << error;
}

StandInState* StandInFolder::State() const {
    auto get = reinterpret_cast<StandInState* (*)()>(LookUp("GetStandInState"));
    return get != nullptr ? get() : nullptr;
}

void* StandInFolder::LookUp(const char* symbol) const {
    // The Host holds the module; this only looks it up again without loading it.
    void* handle = dlopen(modulePath_.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr) return nullptr;
    void* address = dlsym(handle, symbol);
    dlclose(handle);
    return address;
}

}  // namespace host_test
