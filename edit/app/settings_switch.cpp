#include "edit/app/settings_switch.hpp"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "edit/file/text_file.hpp"
#include "engine/codepage.hpp"
#include "winapi/regedit_document.hpp"
#include "winapi/registry_file.hpp"
#include "winapi/win32.hpp"

namespace edit {
namespace {

namespace fs = std::filesystem;

// The histories of marten-edit's own fields, which neither build keeps.
constexpr std::string_view kEditorHistories = "marten-edit%5C";

// True when the key holds a value.
bool HoldsValues(const winreg::RegDocument& document, std::string_view path) {
    const winreg::RegKey* key = winreg::FindKey(document, path);
    return key != nullptr && std::any_of(key->entries.begin(), key->entries.end(),
                                         [](const winreg::RegEntry& e) { return !e.isComment; });
}

// True when `newer` was written after `older`; a file that is missing counts
// as never written.
bool WrittenAfter(const std::string& newer, const std::string& older) {
    std::error_code ec;
    const auto newerTime = fs::last_write_time(newer, ec);
    if (ec) return false;
    const auto olderTime = fs::last_write_time(older, ec);
    return ec || newerTime > olderTime;
}

// The 1.x build's histories (in 866) as the Unicode build's (in UTF-8).
bool CopyHistories(const std::string& folder, std::string* error) {
    std::error_code ec;
    fs::directory_iterator entries(folder, ec);
    if (ec) return true;  // no histories yet
    const std::string unicode = folder + "/unicode";
    for (const fs::directory_entry& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(ec) || name.starts_with(kEditorHistories)) continue;
        const FileContents contents = ReadWholeFile(entry.path().string());
        if (contents.state != FileContents::State::Read) continue;
        fs::create_directories(unicode, ec);
        if (!SaveWholeFile(unicode + "/" + name,
                           engine::ToUtf8(engine::CodePage::Oem866, contents.bytes), error))
            return false;
    }
    return true;
}

}  // namespace

SwitchOutcome SwitchToTheUnicodeBuild(const SwitchFiles& files, std::string* error) {
    winreg::RegDocument store;
    if (files.store.empty() || winreg::ReadRegistry(files.store, &store) != ERROR_SUCCESS)
        return SwitchOutcome::Kept;
    if (const winreg::RegKey* mark = winreg::FindKey(store, kSwitchMarkKey);
        mark != nullptr && winreg::FindValue(*mark, kSwitchMarkValue) != nullptr)
        return SwitchOutcome::Marked;

    // The plug-in's key in its store is its GUID, which names the file.
    const std::string pluginKey = fs::path(files.store).stem().string();
    winreg::RegDocument registry;
    const bool ansiValues = !files.registry.empty() &&
                            winreg::ReadRegistry(files.registry, &registry) == ERROR_SUCCESS &&
                            HoldsValues(registry, kAnsiMartenKey);
    const bool takeOver =
        ansiValues && (!HoldsValues(store, pluginKey) || WrittenAfter(files.registry, files.store));
    if (takeOver && !CopyHistories(files.histories, error)) return SwitchOutcome::Kept;
    const LONG written =
        winreg::ChangeRegistry(files.store, [&](winreg::RegDocument& document, bool* changed) {
            if (takeOver) {
                std::erase_if(document.keys, [&](const winreg::RegKey& key) {
                    return winreg::IsSameOrBelow(key.path, pluginKey);
                });
            }
            const char one[4] = {1, 0, 0, 0};
            winreg::SetValue(winreg::EnsureKey(document, kSwitchMarkKey), kSwitchMarkValue,
                             winreg::kRegDword, std::string_view(one, sizeof one));
            *changed = true;
            return LONG{ERROR_SUCCESS};
        });
    if (written != ERROR_SUCCESS) {
        if (error) *error = files.store + ": cannot be written";
        return SwitchOutcome::Kept;
    }
    return takeOver ? SwitchOutcome::TakenOver : SwitchOutcome::Kept;
}

}  // namespace edit
