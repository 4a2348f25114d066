// Running marten-edit from the tests: a scratch folder per test, the binary
// with its plug-in folder and a registry file of the test's own, and what
// came out of it.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace edit_e2e {

struct RunResult {
    int status = -1;  // the exit status, -1 when it did not exit normally
    std::string out, err;
};

// A fresh folder below the system's temporary folder, removed at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name);
    ~ScratchFolder();
    std::string Path(const std::string& name) const { return (root_ / name).string(); }
    const std::filesystem::path& Root() const { return root_; }

private:
    std::filesystem::path root_;
};

// The plug-in folder a test names by default: the 1.x build's, whose tests
// keep it; kDefaultPlugins names none, so that marten-edit finds its own.
inline const std::string kAnsiPlugins = MARTEN_PLUGIN_DIR;
inline const std::string kDefaultPlugins;

// Runs marten-edit with `args` after --plugins `plugins` and --registry (the
// registry file sits in `scratch`) in the locale C.UTF-8, with `environment`
// ("NAME=VALUE ...") besides; stdin is /dev/null.
RunResult RunEdit(const ScratchFolder& scratch, const std::vector<std::string>& args,
                  const std::string& plugins = kAnsiPlugins, const std::string& environment = "");

// The same as an unprivileged user, whom file permissions bind. Run as root,
// the scratch folder is handed to nobody, and a copy of the binary and its
// plug-in folder inside it runs through setpriv (nobody may not reach the
// build tree, which may lie below /root).
RunResult RunEditUnprivileged(const ScratchFolder& scratch, const std::vector<std::string>& args);

// The command line that starts marten-edit the same way, quoted for a shell.
std::string EditCommand(const ScratchFolder& scratch, const std::vector<std::string>& args,
                        const std::string& plugins = kAnsiPlugins);

std::string Quote(const std::string& word);
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);

// A scratch folder with one file of `bytes` in it, the start of most tests:
//   auto [scratch, file] = ScratchFile("quote", "reply.msg", " AB> text\r\n");
struct ScratchFile {
    ScratchFile(const std::string& folder, const std::string& name, const std::string& bytes)
        : scratch(folder), path(scratch.Path(name)) {
        WriteFile(path, bytes);
    }
    ScratchFolder scratch;
    std::string path;
};

}  // namespace edit_e2e
