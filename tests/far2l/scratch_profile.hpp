// The folders the far2l face's tests give the module: a far2l profile
// (FARSETTINGS), a home, a configuration folder and marten-edit's registry
// file, all under one fresh folder that is removed at the end, and the
// variables as they were put back.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace far2ltest {

class ScratchProfile {
public:
    ScratchProfile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "far2l-face-XXXXXX");
        root_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "MARTEN_REGISTRY", "FARSETTINGS"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value != nullptr, value != nullptr ? value : ""});
        }
        Set("HOME", root_ / "home");
        Set("XDG_CONFIG_HOME", root_ / "xdg");
        Set("MARTEN_REGISTRY", root_ / "registry.reg");
        Set("FARSETTINGS", root_ / "profile");
    }
    ~ScratchProfile() {
        for (const Saved& variable : saved_) {
            if (variable.set) {
                ::setenv(variable.name, variable.value.c_str(), 1);
            } else {
                ::unsetenv(variable.name);
            }
        }
        std::error_code ignored;
        if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
    }
    ScratchProfile(const ScratchProfile&) = delete;
    ScratchProfile& operator=(const ScratchProfile&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    // Where far2l's profile keeps the face's settings.
    std::filesystem::path SettingsFile() const {
        return root_ / "profile/.config/plugins/marten/config.ini";
    }
    static void Set(const char* name, const std::filesystem::path& value) {
        ::setenv(name, value.c_str(), 1);
    }

    // Writes `text` to `path`, making the folders on the way.
    static void Write(const std::filesystem::path& path, const std::string& text) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }

private:
    struct Saved {
        const char* name;
        bool set;
        std::string value;
    };
    std::filesystem::path root_;
    std::vector<Saved> saved_;
};

}  // namespace far2ltest
