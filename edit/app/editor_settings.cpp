#include "edit/app/editor_settings.hpp"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "engine/utf8.hpp"

namespace edit {
namespace {

// The widest tab taken: wider ones are typing slips, not layouts.
constexpr int kMaxTabSize = 512;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool IsUtf8(std::string_view text) {
    for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        char32_t ch = 0;
        if (!engine::DecodeUtf8(text.substr(at), ch, length)) return false;
    }
    return true;
}

// Why the masks of ftn-files are not right, empty when they are. A mask is
// matched against a name without its folders, so one with a folder in it
// would never match.
std::string FtnFilesProblem(std::string_view masks) {
    if (!IsUtf8(masks)) return "ftn-files must be UTF-8 text";
    while (!masks.empty()) {
        const std::size_t end = masks.find_first_of(",;");
        const std::string_view mask = Trim(masks.substr(0, end));
        if (mask.find('/') != std::string_view::npos)
            return "ftn-files masks match a name without its folders: \"" + std::string(mask) +
                   "\"";
        masks = end == std::string_view::npos ? std::string_view() : masks.substr(end + 1);
    }
    return {};
}

// Why `value` is not right for `name`, empty when it was taken.
std::string Apply(std::string_view name, std::string_view value, engine::EditorOptions& options,
                  FileSettings& files) {
    if (name == "tab-size") {
        int size = 0;
        const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), size);
        if (ec != std::errc() || end != value.data() + value.size() || size < 1 ||
            size > kMaxTabSize)
            return "tab-size must be a number from 1 to " + std::to_string(kMaxTabSize);
        options.tabSize = size;
        return {};
    }
    if (name == "persistent-blocks" || name == "del-removes-blocks") {
        bool& flag =
            name == "persistent-blocks" ? options.persistentBlocks : options.delRemovesBlocks;
        if (value != "on" && value != "off") return std::string(name) + " must be on or off";
        flag = value == "on";
        return {};
    }
    if (name == "word-delimiters") {
        options.wordDelimiters = value;
        return {};
    }
    if (name == "ftn-files") {
        std::string why = FtnFilesProblem(value);
        if (why.empty()) files.ftnFiles = value;
        return why;
    }
    return "unknown setting \"" + std::string(name) +
           "\" (expected tab-size, persistent-blocks, del-removes-blocks, word-delimiters or "
           "ftn-files)";
}

}  // namespace

std::string EditorSettingsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/marten/editor.conf";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/marten/editor.conf";
    return {};
}

void ApplyEditorSettings(std::string_view text, const std::string& path,
                         engine::EditorOptions& options, FileSettings& files,
                         std::string* problems) {
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        if (line.empty() || line.front() == '#') continue;
        const std::size_t equals = line.find('=');
        const std::string why = equals == std::string_view::npos
                                    ? std::string("expected NAME = VALUE")
                                    : Apply(Trim(line.substr(0, equals)),
                                            Trim(line.substr(equals + 1)), options, files);
        if (!why.empty() && problems)
            *problems += path + ": line " + std::to_string(number) + ": " + why + "\n";
    }
}

void LoadEditorSettings(const std::string& path, engine::EditorOptions& options,
                        FileSettings& files, std::string* problems) {
    if (path.empty()) return;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (problems) *problems += path + ": cannot be read\n";
        return;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    ApplyEditorSettings(text, path, options, files, problems);
}

}  // namespace edit
