#include "tests/config/config_session.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "module/ansi/config_dialog.hpp"
#include "module/ui/config_menu.hpp"

namespace config_test {

namespace {

HKEY OpenSettings(REGSAM access) {
    HKEY key = nullptr;
    if (access == KEY_QUERY_VALUE) {
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, access, &key) != ERROR_SUCCESS) {
            return nullptr;
        }
    } else if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                               access, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return key;
}

void WriteSetting(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = OpenSettings(KEY_WRITE);
    ASSERT_NE(key, nullptr) << "cannot open " << kSettingsKey;
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace

std::optional<RegistryValue> ReadSetting(const char* name) {
    HKEY key = OpenSettings(KEY_QUERY_VALUE);
    if (key == nullptr) return std::nullopt;
    RegistryValue value;
    BYTE buffer[4096];
    DWORD size = sizeof buffer;
    const LONG status = RegQueryValueExA(key, name, nullptr, &value.type, buffer, &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.data.assign(reinterpret_cast<const char*>(buffer), size);
    return value;
}

std::optional<std::int32_t> ReadDwordSetting(const char* name) {
    const auto value = ReadSetting(name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4) return std::nullopt;
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | static_cast<unsigned char>(value->data[i]);
    return static_cast<std::int32_t>(bits);
}

std::optional<std::string> ReadStringSetting(const char* name) {
    const auto value = ReadSetting(name);
    if (!value || value->type != REG_SZ || value->data.empty() || value->data.back() != '\0') {
        return std::nullopt;
    }
    return value->data.substr(0, value->data.size() - 1);
}

void WriteDwordSetting(const char* name, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    const BYTE data[4] = {BYTE(bits), BYTE(bits >> 8), BYTE(bits >> 16), BYTE(bits >> 24)};
    WriteSetting(name, REG_DWORD, data, 4);
}

void WriteStringSetting(const char* name, const std::string& value) {
    WriteSetting(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void DeleteSetting(const char* name) {
    HKEY key = OpenSettings(KEY_WRITE);
    ASSERT_NE(key, nullptr);
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

void ConfigSession::SetUp() {
    // The name CTest gave the program, taken once: SetUp replaces it below.
    static const std::string base = [] {
        const char* name = std::getenv("MARTEN_REGISTRY");
        if (name != nullptr) return std::string(name);
        return (std::filesystem::temp_directory_path() / "marten-config-tests.reg").string();
    }();
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    registryPath_ = base + "." + test->test_suite_name() + "." + test->name();
    std::remove(registryPath_.c_str());
    setenv("MARTEN_REGISTRY", registryPath_.c_str(), 1);
}

void ConfigSession::TearDown() {
    host_.reset();
    std::remove(registryPath_.c_str());
    std::remove((registryPath_ + ".lock").c_str());
}

void ConfigSession::Start(host::HostOptions options) {
    host_ = std::make_unique<host::Host>(options);
    std::string error;
    ASSERT_TRUE(host_->LoadModule(MARTEN_MODULE_PATH, &error)) << error;
    ASSERT_NE(host_->Messages(), nullptr) << "no language file beside the module";
    host_->SetUi(&ui_);
}

std::string ConfigSession::Msg(int id) const {
    return host_->Messages()->messages.at(static_cast<std::size_t>(id));
}

std::string ConfigSession::RegistryBytes() const {
    std::ifstream file(registryPath_, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void ConfigSession::ConfirmRIndent(const std::string& text) {
    ui_.ChooseMenu(marten::MenuConfigure);
    ui_.AnswerDialog(
        {{host::DialogAnswer::Type{marten::ansi::ItemRIndent, text}}, marten::ansi::ItemOk});
}

}  // namespace config_test
