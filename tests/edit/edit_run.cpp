#include "tests/edit/edit_run.hpp"

#include <pwd.h>
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

namespace {

std::string CommandOf(const std::string& binary, const std::string& plugins, const ScratchFolder& scratch,
                      const std::vector<std::string>& args) {
    std::string command = Quote(binary);
    if (!plugins.empty()) command += " --plugins " + Quote(plugins);
    command += " --registry " + Quote(scratch.Path("registry.reg"));
    for (const std::string& arg : args) command += " " + Quote(arg);
    return command;
}

RunResult Run(const ScratchFolder& scratch, const std::string& editCommand,
              const std::string& environment = "") {
    std::string out = scratch.Path(".stdout"), err = scratch.Path(".stderr");
    std::string command = "env -u LANGUAGE -u MARTEN_PLUGINS -u MARTEN_SETTINGS LANG=C.UTF-8 LC_ALL=C.UTF-8 " +
                          environment + " XDG_CONFIG_HOME=" + Quote(scratch.Path("config")) + " " +
                          editCommand + " </dev/null >" + Quote(out) + " 2>" + Quote(err);
    int raw = std::system(command.c_str());
    RunResult result;
    result.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

}  // namespace

std::string EditCommand(const ScratchFolder& scratch, const std::vector<std::string>& args,
                        const std::string& plugins) {
    return CommandOf(MARTEN_EDIT_PATH, plugins, scratch, args);
}

RunResult RunEdit(const ScratchFolder& scratch, const std::vector<std::string>& args,
                  const std::string& plugins, const std::string& environment) {
    return Run(scratch, EditCommand(scratch, args, plugins), environment);
}

RunResult RunEditUnprivileged(const ScratchFolder& scratch, const std::vector<std::string>& args) {
    if (::geteuid() != 0) return RunEdit(scratch, args);
    const struct passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) return RunResult{-1, "", "no user nobody to run as"};
    fs::path bin = scratch.Root() / ".bin";
    fs::create_directories(bin / "plugins");
    fs::copy_file(MARTEN_EDIT_PATH, bin / "marten-edit", fs::copy_options::overwrite_existing);
    fs::copy(MARTEN_PLUGIN_DIR, bin / "plugins", fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    ::chown(scratch.Root().c_str(), nobody->pw_uid, nobody->pw_gid);
    for (const auto& entry : fs::recursive_directory_iterator(scratch.Root())) {
        ::lchown(entry.path().c_str(), nobody->pw_uid, nobody->pw_gid);
    }
    return Run(scratch, "setpriv --reuid=" + std::to_string(nobody->pw_uid) + " --regid=" +
                            std::to_string(nobody->pw_gid) + " --clear-groups " +
                            CommandOf((bin / "marten-edit").string(), (bin / "plugins").string(), scratch, args));
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace edit_e2e
