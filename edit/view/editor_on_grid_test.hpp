// The fixture of the editor's tests on the in-memory screen: a scratch
// folder with the module's registry and the field histories in it, the
// editor run on a GridScreen over a script of keys, and checks that run
// between the keys once the screen is drawn.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <source_location>
#include <string>
#include <vector>

#include "edit/app/command_line.hpp"
#include "edit/app/session.hpp"
#include "edit/terminal/grid_checks_test.hpp"
#include "edit/terminal/grid_screen.hpp"
#include "edit/view/interactive.hpp"

namespace edit {

class EditorOnGrid : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("marten-edit-grid-" + std::to_string(::getpid()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::setlocale(LC_ALL, "C.UTF-8");
        Keep("MARTEN_REGISTRY", Path("registry.reg"));
        Keep("XDG_CONFIG_HOME", Path("config"));
        Keep("MARTEN_SETTINGS", Path("settings"));
    }
    void TearDown() override {
        for (const auto& [name, value] : kept_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
        std::filesystem::remove_all(folder_);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Opens the file the command line names and runs the editor over the
    // script given so far; the exit status.
    int Run(const std::vector<std::string>& args) {
        std::string error;
        auto options = ParseCommandLine(args, &error);
        EXPECT_TRUE(options) << error;
        if (!options) return -1;
        Session session;
        EXPECT_TRUE(session.Open(*options, plugins_, &error)) << error;
        screen::UseScreen use(grid_);
        return RunEditor(session, "UTF-8").status;
    }

    // Ends the script with F2 and F10 and runs it: the run must end well
    // and leave `saved` in `file`.
    void SaveAndQuit(const std::vector<std::string>& args, const std::string& file,
                     const std::string& saved) {
        Keys("{F2}{F10}");
        EXPECT_EQ(Run(args), 0);
        EXPECT_EQ(Read(file), saved);
    }

    // The script: keys as a batch run names them, typed text, and checks of
    // what the screen shows by then.
    void Keys(std::string_view script) { grid_.Keys(script); }
    void Type(std::string_view utf8) { grid_.Type(utf8); }
    void Sees(std::string text, std::source_location at = std::source_location::current()) {
        SeesOn(grid_, std::move(text), at);
    }
    void Gone(std::string text, std::source_location at = std::source_location::current()) {
        GoneFrom(grid_, std::move(text), at);
    }
    // The title line's part that names the cursor's place.
    static std::string At(int line, int lines, int column) {
        return "Line " + std::to_string(line) + "/" + std::to_string(lines) + "  Col " +
               std::to_string(column);
    }

    GridScreen grid_{100, 30};
    // The folder of the build of Marten that Run loads.
    std::string plugins_ = MARTEN_PLUGIN_DIR;

private:
    void Keep(const std::string& name, const std::string& value) {
        const char* old = std::getenv(name.c_str());
        kept_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        ::setenv(name.c_str(), value.c_str(), 1);
    }

    std::filesystem::path folder_;
    std::vector<std::pair<std::string, std::optional<std::string>>> kept_;
};

}  // namespace edit
