#include "tests/edit/edit_run.hpp"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace edit_e2e {

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder(const std::string& name) {
    root_ = fs::temp_directory_path() / ("marten-edit-e2e-" + std::to_string(::getpid()) + "-" + name);
    std::error_code ec;
    fs::remove_all(root_, ec);
    fs::create_directories(root_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    for (auto& entry : fs::recursive_directory_iterator(root_, ec)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(root_, ec);
}

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted.push_back(c);
        }
    }
    return quoted + "'";
}

std::string EditCommand(const ScratchFolder& scratch, const std::vector<std::string>& args) {
    std::string command = Quote(MARTEN_EDIT_PATH) + " --plugins " + Quote(MARTEN_PLUGIN_DIR) +
                          " --registry " + Quote(scratch.Path("registry.reg"));
    for (const std::string& arg : args) command += " " + Quote(arg);
    return command;
}

RunResult RunEdit(const ScratchFolder& scratch, const std::vector<std::string>& args) {
    std::string out = scratch.Path(".stdout"), err = scratch.Path(".stderr");
    std::string command = "XDG_CONFIG_HOME=" + Quote(scratch.Path("config")) + " " +
                          EditCommand(scratch, args) + " </dev/null >" + Quote(out) + " 2>" + Quote(err);
    int raw = std::system(command.c_str());
    RunResult result;
    result.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace edit_e2e
