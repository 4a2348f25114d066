#include "module/far2l/settings_file.hpp"

#include <pwd.h>
#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "module/far2l/setting_names.hpp"
#include "module/far2l/settings_takeover.hpp"
#include "module/settings/settings.hpp"
#include "winapi/registry_file.hpp"

namespace marten::far2l {

WideText FileMask;

namespace {

constexpr std::string_view kSection = "Settings";
std::string_view Trimmed(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string EnvironmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A decimal within the range of int32_t, with an optional '-'.
bool ParseNumber(std::string_view text, std::int32_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return false;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
    }
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

// One name=value of the section: the value taken when it can be read.
void TakeValue(std::string_view name, std::string_view value) {
    for (const FlagSetting& flag : kFlagSettings) {
        if (name != flag.name) continue;
        const std::string_view bit = Trimmed(value);
        if (bit == "0" || bit == "1") Settings.*flag.field = bit == "1" ? 1 : 0;
        return;
    }
    for (const NumberSetting& number : kNumberSettings) {
        if (name != number.name) continue;
        ParseNumber(Trimmed(value), Settings.*number.field);
        return;
    }
    if (name == kFileMaskName) {
        // The mask is taken as it stands: blanks belong to its items.
        const std::optional<WideText> mask = FromUtf8(value);
        if (mask && mask->size() <= kMaxFileMaskLength) FileMask = *mask;
    }
}

void SetDefaults() {
    SetDefaultSettings();
    FileMask = kDefaultFileMask;
}

// Renames the file out of the way; false when it stays where it is.
bool MoveAside(const std::string& path) {
    return ::rename(path.c_str(), winreg::AsideName(path).c_str()) == 0;
}

}  // namespace

std::string ConfigFolderOf(std::string_view farSettings, std::string_view xdgConfigHome,
                           std::string_view home) {
    const auto absolute = [](std::string_view path) { return !path.empty() && path[0] == '/'; };
    std::string folder;
    if (absolute(farSettings)) {
        folder.assign(farSettings);
        return folder + "/.config";
    }
    if (absolute(xdgConfigHome)) {
        folder.assign(xdgConfigHome);
    } else if (!home.empty()) {
        folder.assign(home);
        folder += "/.config";
    } else {
        return {};
    }
    folder += "/far2l";
    if (!farSettings.empty()) {
        folder += "/custom/";
        folder += farSettings;
    }
    return folder;
}

std::string Far2lConfigFolder() {
    std::string home = EnvironmentValue("HOME");
    if (home.empty()) {
        if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && user->pw_dir) {
            home = user->pw_dir;
        }
    }
    return ConfigFolderOf(EnvironmentValue("FARSETTINGS"), EnvironmentValue("XDG_CONFIG_HOME"),
                          home);
}

std::string SettingsFilePath() {
    const std::string folder = Far2lConfigFolder();
    return folder.empty() ? folder : folder + "/plugins/marten/config.ini";
}

bool ReadSettingsText(std::string_view text, std::size_t* badLine) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        text.remove_prefix(kByteOrderMark.size());
    }
    // The whole text is checked before any value is taken.
    for (int pass = 0; pass < 2; ++pass) {
        std::string_view rest = text;
        std::string_view section;
        for (std::size_t number = 1; !rest.empty(); ++number) {
            const std::size_t end = rest.find('\n');
            std::string_view line = rest.substr(0, end);
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            const std::string_view trimmed = Trimmed(line);
            const std::size_t equals = line.find('=');
            const bool isSection =
                trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']';
            const bool fits = line.find('\0') == std::string_view::npos &&
                              (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#' ||
                               isSection || equals != std::string_view::npos);
            if (!fits) {
                if (badLine != nullptr) *badLine = number;
                return false;
            }
            if (pass == 0) continue;
            if (isSection) {
                section = Trimmed(trimmed.substr(1, trimmed.size() - 2));
            } else if (section == kSection && equals != std::string_view::npos &&
                       trimmed[0] != ';' && trimmed[0] != '#') {
                TakeValue(Trimmed(line.substr(0, equals)), line.substr(equals + 1));
            }
        }
    }
    return true;
}

bool SettingsText(std::string* text) {
    // A line break or a NUL would end the value early when it is read back.
    const auto endsValue = [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\0'; };
    if (FileMask.size() > kMaxFileMaskLength ||
        std::any_of(FileMask.begin(), FileMask.end(), endsValue)) {
        return false;
    }
    const std::optional<std::string> mask = ToUtf8(FileMask);
    if (!mask) return false;
    text->assign("[");
    text->append(kSection);
    text->append("]\n");
    for (const FlagSetting& flag : kFlagSettings) {
        text->append(flag.name);
        text->append(Settings.*flag.field != 0 ? "=1\n" : "=0\n");
    }
    for (const NumberSetting& number : kNumberSettings) {
        text->append(number.name);
        text->append("=" + std::to_string(Settings.*number.field) + "\n");
    }
    text->append(kFileMaskName);
    text->append("=" + *mask + "\n");
    return true;
}

SettingsLoad LoadSettings() {
    SetDefaults();
    const std::string path = SettingsFilePath();
    if (path.empty()) return SettingsLoad::NoFolder;
    std::string text;
    const winreg::ReadOutcome outcome = winreg::ReadWholeFile(path, &text);
    if (outcome == winreg::ReadOutcome::Missing) {
        const bool takenOver = TakeOverMartenEditSettings(FileMask);
        SaveSettings();
        return takenOver ? SettingsLoad::TakenOver : SettingsLoad::Created;
    }
    if (outcome == winreg::ReadOutcome::Read && ReadSettingsText(text, nullptr)) {
        return SettingsLoad::Read;
    }
    // What the user had stays in the file moved aside.
    if (!MoveAside(path)) return SettingsLoad::Unreadable;
    SaveSettings();
    return SettingsLoad::MovedAside;
}

bool SaveSettings() {
    const std::string path = SettingsFilePath();
    std::string text;
    if (path.empty() || !SettingsText(&text)) return false;
    return winreg::CreateFolders(winreg::ParentFolder(path)) && winreg::ReplaceFile(path, text);
}

}  // namespace marten::far2l
