#include "module/far2l/settings_file.hpp"

#include <pwd.h>
#include <unistd.h>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <utility>

#include "module/far2l/settings_takeover.hpp"
#include "module/settings/settings_table.hpp"
#include "module/settings/stored_values.hpp"
#include "winapi/registry_file.hpp"

namespace marten::far2l {

TextSettingsOf<wchar_t> TextSettings;

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

// A decimal within the range of int64_t's lower half, with an optional '-'
// (the row's bounds decide what is taken).
bool ParseNumber(std::string_view text, std::int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) text.remove_prefix(1);
    if (text.empty() || text.size() > 10) return false;
    std::int64_t magnitude = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        magnitude = magnitude * 10 + (c - '0');
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

// One name=value of the section: the value taken when it can be read.
void TakeValue(std::string_view name, std::string_view value) {
    for (const SettingRow& row : kSettingRows) {
        if (!Keeps(kFar2lFace, row) || name != row.name) continue;
        if (row.kind == SettingKind::Text) {
            // A text is taken as it stands: blanks belong to a mask's items.
            const std::optional<WideText> text = FromUtf8(value);
            if (text && TextFits(row, text->size())) TextSettings[row.id] = *text;
            return;
        }
        std::int64_t number = 0;
        if (!ParseNumber(Trimmed(value), number)) return;
        if (const std::optional<std::int32_t> taken = TakenNumber(row, number, kFar2lFace)) {
            SetNumberValue(row, *taken);
        }
        return;
    }
}

// The name the last damaged file was moved aside as, until it is told.
std::string movedAsideAs;

// Renames the file out of the way; false when it stays where it is.
bool MoveAside(const std::string& path) {
    const std::string aside = winreg::AsideName(path);
    if (::rename(path.c_str(), aside.c_str()) != 0) return false;
    movedAsideAs = aside;
    return true;
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
    // A line break or a NUL would end a value early when it is read back.
    const auto endsValue = [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\0'; };
    std::string out = "[";
    out.append(kSection);
    out.append("]\n");
    for (const SettingRow& row : kSettingRows) {
        if (!Keeps(kFar2lFace, row)) continue;
        out.append(row.name);
        out.push_back('=');
        if (row.kind != SettingKind::Text) {
            const std::int32_t value = NumberValue(row);
            // A switch is written 0 or 1, whatever it held.
            out.append(
                std::to_string(row.kind == SettingKind::Flag ? TakenOver(row, value) : value));
        } else {
            const WideText& value = TextSettings[row.id];
            if (!TextFits(row, value.size()) ||
                std::any_of(value.begin(), value.end(), endsValue)) {
                return false;
            }
            const std::optional<std::string> bytes = ToUtf8(value);
            if (!bytes) return false;
            out.append(*bytes);
        }
        out.push_back('\n');
    }
    *text = std::move(out);
    return true;
}

SettingsLoad LoadSettings() {
    SetDefaultSettings(TextSettings);
    movedAsideAs.clear();
    const std::string path = SettingsFilePath();
    if (path.empty()) return SettingsLoad::NoFolder;
    std::string text;
    const winreg::ReadOutcome outcome = winreg::ReadWholeFile(path, &text);
    if (outcome == winreg::ReadOutcome::Missing) {
        const bool takenOver = TakeOverMartenEditSettings(TextSettings);
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

std::string TakeMovedAsideNote() {
    std::string note;
    note.swap(movedAsideAs);
    return note;
}

bool SaveSettings() {
    const std::string path = SettingsFilePath();
    std::string text;
    if (path.empty() || !SettingsText(&text)) return false;
    return winreg::CreateFolders(winreg::ParentFolder(path)) && winreg::ReplaceFile(path, text);
}

}  // namespace marten::far2l
